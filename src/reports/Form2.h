#pragma once

#include <QWidget>

namespace arb {

class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(QWidget *parent = nullptr);
};

} // namespace arb
