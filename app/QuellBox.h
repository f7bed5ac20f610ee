#pragma once

#include "source/Karte.h"

#include <QComboBox>

#include <functional>

namespace mirbelon {

// txtQ: the stored sources and the media mounted when the list opens, each
// shown with its name ("E:\  EOS_DIGITAL"); picking one puts only its
// source ("E:\") into the box.
class QuellBox : public QComboBox
{
public:
    using Angebote = std::function<QList<QuellAngebot>(const QStringList &gespeichert)>;
    QuellBox(Angebote angebote, QWidget *parent);

    // The stored sources; the list is made anew, the text stays.
    void setGespeichert(const QStringList &gespeichert);
    void showPopup() override;

private:
    void auffrischen();

    Angebote m_angebote;
    QStringList m_gespeichert;
};

} // namespace mirbelon
