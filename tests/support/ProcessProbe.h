#pragma once
// What a long operator session is measured by: the process's resident memory, heap and CPU
// time, its threads (without Qt's pooled helpers, which come and go on their own) and the
// slope of a series of memory samples. Used by the soak test and the long-run benchmark.
#include <QDir>
#include <malloc.h>
#include <QFile>
#include <QStringList>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace orvix::probe {

// Resident memory of this process, in KiB.
inline long ResidentKb() {
  long pages = 0, resident = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// CPU time of the whole process (all its threads), in seconds.
inline double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
// The sanitizer runtimes' own count (declared in their allocator_interface.h, which the
// compiler here does not ship).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// Bytes the program has allocated and not freed, from the allocator in use (a sanitizer
// replaces malloc with its own, which keeps its own count).
inline size_t HeapBytes() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// Names of this process's threads, except Qt's pooled ones (QThreadPool keeps a helper
// for a while after work it was given, and ends it on its own).
inline QStringList OwnThreads() {
  QStringList names;
  const QDir tasks(QStringLiteral("/proc/self/task"));
  for (const QString& t : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile comm(tasks.filePath(t + QStringLiteral("/comm")));
    if (!comm.open(QIODevice::ReadOnly)) continue;  // ended meanwhile
    const QString name = QString::fromUtf8(comm.readAll()).trimmed();
    if (name.startsWith(QStringLiteral("Thread (pooled)"))) continue;
    names << name;
  }
  return names;
}

// Least-squares slope of (x, y) per 100 units of x; 0 with fewer than two points.
inline double SlopePer100(const std::vector<std::pair<double, double>>& points) {
  const double n = double(points.size());
  if (points.size() < 2) return 0;
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (const auto& [x, y] : points) {
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  const double d = n * sxx - sx * sx;
  if (d == 0) return 0;
  return 100.0 * (n * sxy - sx * sy) / d;
}

}  // namespace orvix::probe
