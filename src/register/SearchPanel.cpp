#include "register/SearchPanel.h"

#include "platform/Controls.h"
#include "platform/Look.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace arb {

SearchPanel::SearchPanel(QWidget *window, const QColor &captionColour, const QColor &labelColour, int left, int top,
                         int width)
    : QGroupBox(QStringLiteral("Carian"), window)
{
    place(this, left, top, width, 735);
    setBackground(this, kGreen);
    setForeground(this, captionColour);
    setFont(uiFont(QStringLiteral("MS Sans Serif"), 8.25, true));

    Label19 = placed(new QLabel(QStringLiteral("Perkataan"), this), 120, 240, 975, 255);
    setForeground(Label19, labelColour);
    Text16 = lineBox(this, 960, 240, 2895, 285); // a whole name, however long, is searched for
    Combo1 = comboBox(this, 3960, 240, 2055, 315);
    Combo1->setEditText(QStringLiteral("Pilih Satu"));
    Command8 = button(this, QStringLiteral("&Cari"), 6120, 240, 855, 375);

    // Enter in the search word or the mode list searches, as "Cari" does.
    connect(Text16, &QLineEdit::returnPressed, Command8, &QPushButton::click);
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, Command8, &QPushButton::click);

    // Typing into the mode list leaves no entry selected.
    connect(Combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { m_typed = true; });
    connect(Combo1, &QComboBox::activated, this, [this] { m_typed = false; });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { m_typed = false; });
}

void SearchPanel::loadModes(int selected)
{
    Combo1->addItem(QStringLiteral("No Daftar"));
    Combo1->addItem(QStringLiteral("Nama Syarikat"));
    Combo1->setCurrentIndex(selected);
    m_typed = false;
}

int SearchPanel::searchMode() const
{
    return m_typed ? -1 : Combo1->currentIndex();
}

} // namespace arb
