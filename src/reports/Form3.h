#pragma once

#include <QWidget>

namespace arb {

class Form3 : public QWidget
{
    Q_OBJECT
public:
    explicit Form3(QWidget *parent = nullptr);
};

} // namespace arb
