#pragma once

#include <array>

class QSettings;

namespace quorrel::app {

// How the learner has the window shown, kept from one run to the next: the
// form's size in percent of its own and whether text is in high contrast.
struct ViewChoices {
    static constexpr std::array<int, 5> zoom_steps{100, 125, 150, 175, 200};

    int zoom = 100;
    bool high_contrast = false;

    // The step above or below `zoom`; the largest or smallest stays itself.
    int larger() const;
    int smaller() const;

    // What `settings` holds; a size that is no step reads as the nearest.
    static ViewChoices load(QSettings& settings);
    void save(QSettings& settings) const;

    friend bool operator==(const ViewChoices&, const ViewChoices&) = default;
};

} // namespace quorrel::app
