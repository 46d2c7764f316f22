#pragma once

#include "register/Form4.h"

#include <memory>

// The record window opened the way the main window's "Daftar " opens it.
inline std::unique_ptr<arb::Form4> openForm()
{
    auto f = std::make_unique<arb::Form4>();
    f->satu(false);
    f->gerak(1);
    return f;
}
