// Start-up time: milliseconds from spawning a process to its first presented frame, for the
// program and for a bare SDL window with an OpenGL 3.3 context on the same display. Each run
// preloads the first-swap library, which records the time of the first SDL_GL_SwapWindow and ends
// the process; one run per repetition, so --benchmark_repetitions=N gives the median of N starts.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kTimeoutMilliseconds = 30000;

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The current environment with the preload and the result file set (any earlier values dropped).
std::vector<std::string> ChildEnvironment(const std::string& resultFile) {
  std::vector<std::string> variables;
  for (char** v = environ; *v != nullptr; ++v) {
    if (std::strncmp(*v, "LD_PRELOAD=", 11) != 0 &&
        std::strncmp(*v, "KZ_FIRST_SWAP_FILE=", 19) != 0)
      variables.emplace_back(*v);
  }
  variables.push_back(std::string("LD_PRELOAD=") + KZ_FIRST_SWAP_SHIM);
  variables.push_back("KZ_FIRST_SWAP_FILE=" + resultFile);
  return variables;
}

// Waits for `pid` up to the time-out, then kills it; returns its wait status, or -1 on time-out.
int WaitOrKill(pid_t pid) {
  int status = 0;
  for (int waited = 0; waited < kTimeoutMilliseconds; ++waited) {
    if (waitpid(pid, &status, WNOHANG) == pid)
      return status;
    usleep(1000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -1;
}

// One start of `binary`: milliseconds from the spawn to its first swap; negative with `error` set
// when it did not get there.
double StartOnce(const char* binary, std::string& error) {
  char resultFile[] = "/tmp/kz_first_swap_XXXXXX";
  const int fd = mkstemp(resultFile);
  if (fd < 0) {
    error = "no temporary file";
    return -1.0;
  }
  close(fd);
  std::vector<std::string> variables = ChildEnvironment(resultFile);
  std::vector<char*> envp;
  for (std::string& v : variables)
    envp.push_back(v.data());
  envp.push_back(nullptr);
  char* argv[] = {const_cast<char*>(binary), nullptr};
  pid_t pid = 0;
  const long long spawned = MonotonicNanoseconds();
  if (posix_spawn(&pid, binary, nullptr, nullptr, argv, envp.data()) != 0) {
    error = std::string("cannot start ") + binary;
    unlink(resultFile);
    return -1.0;
  }
  const int status = WaitOrKill(pid);
  long long presented = 0;
  std::ifstream(resultFile) >> presented;
  unlink(resultFile);
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || presented == 0) {
    error = std::string(binary) + " ended without presenting a frame";
    return -1.0;
  }
  return static_cast<double>(presented - spawned) / 1e6;
}

void StartUp(benchmark::State& state, const char* binary) {
  for (auto _ : state) {
    std::string error;
    const double milliseconds = StartOnce(binary, error);
    if (milliseconds < 0.0) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.SetIterationTime(milliseconds / 1000.0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  // The program reads its models and textures relative to the working directory.
  if (std::getenv("DISPLAY") == nullptr || chdir(KZ_SOURCE_ROOT) != 0) {
    std::fprintf(stderr, "bench_startup: needs an X display (run under xvfb-run)\n");
    return 1;
  }
  benchmark::RegisterBenchmark("startup/kreuzvia", StartUp, KZ_PROGRAM)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(1);
  benchmark::RegisterBenchmark("startup/bare_sdl_gl_window", StartUp, KZ_BARE_GL_WINDOW)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
