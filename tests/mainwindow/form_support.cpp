#include "form_support.h"

#include <algorithm>

#include "runtime/random.h"

namespace corvane {

TRandomSource SeededSource(std::uint32_t seed) {
  return [seed]() mutable {
    seed = NextRandomSeed(seed);
    return static_cast<long double>(seed) * 0x1p-32L;
  };
}

TRandomSource Draws(std::vector<long double> draws) {
  return [draws = std::move(draws), i = std::size_t{0}]() mutable {
    return draws[std::min(i++, draws.size() - 1)];
  };
}

std::unique_ptr<TForm1> FormFixture::MakeForm(TRandomSource random) {
  auto form = std::make_unique<TForm1>(&notices, std::move(random));
  form->FormCreate();
  return form;
}

}  // namespace corvane
