#pragma once

#include <QLabel>

namespace mirbelon {

// A panel of the status bar. It asks for the width of its whole text and
// gives way when the bar is too narrow: then it shows the text cut off with
// "..." and the whole text in its tooltip. A note set with setVorsatz stands
// in red before the text and stays while the text changes.
class StatusFeld : public QLabel
{
    Q_OBJECT

public:
    explicit StatusFeld(QWidget *parent = nullptr);

    void setVorsatz(const QString &vorsatz);
    QString vorsatz() const { return m_vorsatz; }

    // The text as it is drawn in the current width.
    QString sichtbarerText() const;
    bool gekuerzt() const;
    // What the tooltip shows: the whole text when it is cut off, else toolTip().
    QString tipp() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    int textBreite() const;

    QString m_vorsatz;
};

// Cuts `text` so that it with "..." fits into `breite` pixels of `metrik`;
// a text that fits stays whole.
QString Gekuerzt(const QFontMetrics &metrik, const QString &text, int breite);

} // namespace mirbelon
