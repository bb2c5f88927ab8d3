#pragma once
// Building blocks of the Qt tests' tables of components: a maker of a control
// of some type and size, and a change made to it through its own type.

#include <cstdint>
#include <functional>
#include <memory>

#include "mivo/platform/controls.h"

namespace mivo::test {

// A control of type T and the given size, prepared by `setup`.
template <class T>
std::function<std::unique_ptr<TCustomControl>()> Make(std::int32_t w, std::int32_t h,
                                                      std::function<void(T&)> setup = {}) {
  return [=] {
    auto c = std::make_unique<T>();
    c->SetBounds(0, 0, w, h);
    if (setup) setup(*c);
    return std::unique_ptr<TCustomControl>(std::move(c));
  };
}

template <class T>
std::function<void(TCustomControl&)> Change(std::function<void(T&)> f) {
  return [=](TCustomControl& c) { f(dynamic_cast<T&>(c)); };
}

}  // namespace mivo::test
