#pragma once

namespace quorrel::testing {

// The process's peak resident memory so far, in KiB; -1 where it cannot be read.
long peak_rss_kib();

} // namespace quorrel::testing
