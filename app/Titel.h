#pragma once

#include <QWidget>

class QLabel;

namespace mirbelon {

class Context;

// The title window shown while the program loads. Its loading is the first
// use of the ini store, which resolves the program folders.
class Titel : public QWidget
{
    Q_OBJECT

public:
    explicit Titel(Context &ctx, QWidget *parent = nullptr);

    QString hinweis() const;

signals:
    void fertig();

private:
    QLabel *m_hinweis = nullptr;
};

} // namespace mirbelon
