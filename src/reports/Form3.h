#pragma once

#include <QWidget>

class QPushButton;
class QTableView;

namespace arb {

class ContractorGrid;

// The list window: every contractor in a grid, and "Susun", which reorders
// the table itself by serial and loads the window again.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    explicit Form3(QWidget *parent = nullptr);

    QTableView *DataGrid1 = nullptr;
    ContractorGrid *Adodc1 = nullptr;
    QPushButton *Command1 = nullptr; // "Susun"
    QPushButton *Command2 = nullptr; // "Keluar"

private:
    void Command1_Click();
    // Unloads this window and shows a new one, which reads the table afresh
    // and stands on the row of id current.
    void reload(qint64 current);

    bool m_sorting = false;
};

} // namespace arb
