#include "mivo/base/math_utils.h"

namespace mivo {

namespace {
std::mt19937_64& Generator() {
  thread_local std::mt19937_64 gen(5489u);
  return gen;
}
}  // namespace

double GRandom() { return GRandom(Generator()); }

double GRandom(double mean, double stdDev) { return mean + stdDev * GRandom(Generator()); }

void GRandomize(std::uint64_t seed) { Generator().seed(seed); }

}  // namespace mivo
