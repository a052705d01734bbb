#pragma once

namespace quorrel::exercises {

// Whether the instruction is written into the history once it is answered.
enum class Restate { prompt, nothing };

} // namespace quorrel::exercises
