#pragma once

#include <QWidget>

namespace arb {

class Form7 : public QWidget
{
    Q_OBJECT
public:
    explicit Form7(QWidget *parent = nullptr);
};

} // namespace arb
