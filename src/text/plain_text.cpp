#include "text/plain_text.h"

namespace quorrel::text {

std::string plain_text(std::string_view marked)
{
    std::string plain;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t k = 0;
    while (k < marked.size()) {
        if (blank(marked[k])) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end < marked.size() && !blank(marked[end]))
            ++end;
        const std::string_view word = marked.substr(k, end - k);
        if (word.find("__") == std::string_view::npos) {
            if (!plain.empty())
                plain += ' ';
            plain += word;
        }
        k = end;
    }
    return plain;
}

} // namespace quorrel::text
