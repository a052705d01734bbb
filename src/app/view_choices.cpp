#include "app/view_choices.h"

#include <QSettings>

#include <algorithm>
#include <cstdlib>

namespace quorrel::app {

namespace {

constexpr const char* zoom_key = "view/zoom";
constexpr const char* contrast_key = "view/high_contrast";

int nearest_step(int zoom)
{
    return *std::min_element(ViewChoices::zoom_steps.begin(), ViewChoices::zoom_steps.end(),
                             [zoom](int a, int b) { return std::abs(a - zoom) < std::abs(b - zoom); });
}

} // namespace

int ViewChoices::larger() const
{
    const auto next = std::upper_bound(zoom_steps.begin(), zoom_steps.end(), zoom);
    return next == zoom_steps.end() ? zoom_steps.back() : *next;
}

int ViewChoices::smaller() const
{
    const auto at = std::lower_bound(zoom_steps.begin(), zoom_steps.end(), zoom);
    return at == zoom_steps.begin() ? zoom_steps.front() : *(at - 1);
}

ViewChoices ViewChoices::load(QSettings& settings)
{
    ViewChoices choices;
    choices.zoom = nearest_step(settings.value(zoom_key, choices.zoom).toInt());
    choices.high_contrast = settings.value(contrast_key, choices.high_contrast).toBool();
    return choices;
}

void ViewChoices::save(QSettings& settings) const
{
    settings.setValue(zoom_key, zoom);
    settings.setValue(contrast_key, high_contrast);
}

} // namespace quorrel::app
