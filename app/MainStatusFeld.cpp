#include "app/MainStatusFeld.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace mirbelon {

namespace {

const QString kPunkte = QStringLiteral("...");
// Between the sunken frame and the text. The panels' texts begin and end
// with a blank for the same purpose; drawn, they would only take room.
constexpr int kAbstand = 2;

} // namespace

QString Gekuerzt(const QFontMetrics &metrik, const QString &text, int breite)
{
    if (metrik.horizontalAdvance(text) <= breite)
        return text;
    // The longest start of the text that fits with the dots.
    qsizetype passt = 0;
    qsizetype zuLang = text.size();
    while (zuLang - passt > 1) {
        const qsizetype mitte = (passt + zuLang) / 2;
        if (metrik.horizontalAdvance(text.left(mitte) + kPunkte) <= breite)
            passt = mitte;
        else
            zuLang = mitte;
    }
    return text.left(passt) + kPunkte;
}

StatusFeld::StatusFeld(QWidget *parent) : QLabel(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setTextFormat(Qt::PlainText);
}

void StatusFeld::setVorsatz(const QString &vorsatz)
{
    m_vorsatz = vorsatz;
    updateGeometry();
    update();
}

int StatusFeld::textBreite() const
{
    return std::max(0, contentsRect().width() - 2 * kAbstand - fontMetrics().horizontalAdvance(m_vorsatz));
}

QString StatusFeld::sichtbarerText() const
{
    return Gekuerzt(fontMetrics(), text().trimmed(), textBreite());
}

bool StatusFeld::gekuerzt() const
{
    return sichtbarerText() != text().trimmed();
}

QString StatusFeld::tipp() const
{
    return gekuerzt() ? m_vorsatz + text() : toolTip();
}

QSize StatusFeld::sizeHint() const
{
    const QMargins rand = contentsMargins();
    const QFontMetrics metrik = fontMetrics();
    return {metrik.horizontalAdvance(m_vorsatz + text().trimmed()) + 2 * kAbstand + rand.left() + rand.right(),
            metrik.height() + rand.top() + rand.bottom()};
}

QSize StatusFeld::minimumSizeHint() const
{
    const QSize voll = sizeHint();
    return {std::min(voll.width(), fontMetrics().horizontalAdvance(kPunkte) + 2 * frameWidth()), voll.height()};
}

bool StatusFeld::event(QEvent *e)
{
    if (e->type() == QEvent::ToolTip) {
        const QString zeigen = tipp();
        if (zeigen.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent *>(e)->globalPos(), zeigen, this);
        return true;
    }
    return QLabel::event(e);
}

void StatusFeld::paintEvent(QPaintEvent *)
{
    QPainter maler(this);
    drawFrame(&maler);
    const QRect innen = contentsRect().marginsRemoved(QMargins(kAbstand, 0, kAbstand, 0));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    QRect rest = innen;
    if (!m_vorsatz.isEmpty()) {
        maler.save();
        maler.setPen(QColor(220, 0, 0));
        QRect vorsatz;
        maler.drawText(innen, flags, m_vorsatz, &vorsatz);
        maler.restore();
        rest.setLeft(vorsatz.right() + 1);
    }
    maler.drawText(rest, flags, sichtbarerText());
}

} // namespace mirbelon
