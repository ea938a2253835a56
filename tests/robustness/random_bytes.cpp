// Writes `count` pseudo-random bytes from `seed` to standard output, the same bytes for the same
// seed on every machine: the content of a file replaced by noise in the fault runs.
#include <cstdio>
#include <cstdlib>
#include <random>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: random_bytes <count> <seed>\n");
    return 2;
  }
  const long count = std::atol(argv[1]);
  std::mt19937 engine(static_cast<std::mt19937::result_type>(std::strtoul(argv[2], nullptr, 10)));
  for (long i = 0; i < count; ++i)
    std::putchar(static_cast<int>(engine() & 0xFFu));
  return std::fflush(stdout) == 0 ? 0 : 1;
}
