#include "lessons/script.h"

#include <vector>

namespace quorrel::lessons {

void Script::begin(std::string_view code)
{
    t.course.set_current_lesson(std::string(code));
    t.reset_screen();
}

void Script::run_pages(std::initializer_list<std::function<void()>> pages, std::string_view next)
{
    const std::vector<std::function<void()>> list(pages);
    for (auto k = static_cast<std::size_t>(t.course.start_page(static_cast<int>(list.size()))); k <= list.size(); ++k)
        list[k - 1]();
    if (!next.empty())
        t.course.new_lesson(next);
}

void Script::picture(int slot, int n, int d)
{
    t.slots.show_fraction(slot, n, d);
    t.slots.hide_slot(slot);
    if (auto* box = t.slots.pbox_fracbar(slot))
        box->show();
}

void Script::show_numeral(int slot)
{
    if (auto* line = t.slots.fracline(slot))
        line->show();
    for (int box : {2 * slot, 2 * slot + 1})
        if (auto* entry = t.slots.inbox(box))
            entry->show();
}

void Script::pizza(int slot, bool on)
{
    t.slots.set_circle_mode(slot, on);
    if (slot >= 0 && slot < 3)
        t.form.mnu_circle[static_cast<std::size_t>(slot)]->set_checked(on);
}

void Script::mixed(int slot, bool on)
{
    t.slots.set_mixed_mode(slot, on);
    if (slot >= 0 && slot < 3)
        t.form.mnu_mixed[static_cast<std::size_t>(slot)]->set_checked(on);
}

std::string join(std::initializer_list<std::string_view> pieces)
{
    std::string out;
    for (std::string_view piece : pieces)
        out += piece;
    return out;
}

std::string fore_color(ui::Color color) { return "ForeColor__" + std::to_string(color.packed()); }

} // namespace quorrel::lessons
