#pragma once
// Probing with several readers: each takes the next span of files not yet taken, reads it into
// batches of its own (its lane) and takes the next, while the search, on the calling thread, takes
// the spans in order, each from the lane that read it. Where every open and close is a round trip
// to something slow (a Wine server, the file-system filters of an antivirus), several files are
// then on their way at once; the answers still come in order, on the calling thread.
//
// A read that fails ends its reader: the answers before it are given, then the error comes out;
// the other readers may have opened files after it by then, but none of those is answered.

#include <cstddef>

#include "package/file_probe.h"
#include "package/probe_pipeline.h"

namespace thld::probe {

// The files a reader takes at a time.
inline constexpr std::size_t kSpanFiles = 16;

// Not even one reader's thread could be started: nothing was read.
struct ThreadRefused {};

void ProbeOnSeveralThreads(const FilesToProbe& files, std::size_t readSize, Searcher& searcher, std::size_t readers);

}  // namespace thld::probe
