#include "app/QuellBox.h"

#include <QStandardItem>
#include <QStandardItemModel>

namespace mirbelon {

namespace {

// An editable combo box takes an item's edit text into its line edit and
// shows the display text in its list.
class Angebot : public QStandardItem
{
public:
    explicit Angebot(const QuellAngebot &angebot) : QStandardItem(angebot.anzeige), m_quelle(angebot.quelle) {}
    QVariant data(int role) const override
    {
        return role == Qt::EditRole ? QVariant(m_quelle) : QStandardItem::data(role);
    }

private:
    QString m_quelle;
};

} // namespace

QuellBox::QuellBox(Angebote angebote, QWidget *parent) : QComboBox(parent), m_angebote(std::move(angebote)) {}

void QuellBox::setGespeichert(const QStringList &gespeichert)
{
    m_gespeichert = gespeichert;
    auffrischen();
}

void QuellBox::showPopup()
{
    auffrischen();
    QComboBox::showPopup();
}

void QuellBox::auffrischen()
{
    auto *modell = qobject_cast<QStandardItemModel *>(model());
    if (modell == nullptr)
        return;
    const QString text = currentText();
    clear();
    for (const QuellAngebot &angebot : m_angebote(m_gespeichert))
        modell->appendRow(new Angebot(angebot));
    setCurrentIndex(-1);
    setEditText(text);
}

} // namespace mirbelon
