#pragma once

#include <QWidget>

namespace arb {

class Form4 : public QWidget
{
    Q_OBJECT
public:
    explicit Form4(QWidget *parent = nullptr);
    // Placeholders until the record window lands.
    void satu(bool) {}
    void gerak(int) {}
    bool editing() const { return false; }
};

} // namespace arb
