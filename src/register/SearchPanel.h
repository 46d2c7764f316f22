#pragma once

#include <QColor>
#include <QGroupBox>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace arb {

// The "Carian" panel both record windows carry: the search word Text16, the
// mode list Combo1 and "Cari". The windows differ only in where it stands,
// its colours and the mode selected at load.
class SearchPanel : public QGroupBox
{
    Q_OBJECT
public:
    SearchPanel(QWidget *window, const QColor &captionColour, const QColor &labelColour, int left, int top, int width);

    // Adds "No Daftar" and "Nama Syarikat", then selects one of them.
    void loadModes(int selected);
    // The selected entry of Combo1; -1 once text was typed into it.
    int searchMode() const;

    QLabel *Label19;
    QLineEdit *Text16;
    QComboBox *Combo1;
    QPushButton *Command8;

private:
    bool m_typed = false;
};

} // namespace arb
