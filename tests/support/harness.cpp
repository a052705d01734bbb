#include "support/harness.h"

#include <QCoreApplication>

namespace quorrel::testing {

Harness::Harness(std::uint64_t seed, int width, int height, progress::Recorder* recorder)
{
    app::Services services{pump, clock, dialogs, ui::Random::fixed(seed), speech};
    services.recorder = recorder;
    services.stand_ins = [this](std::string_view code, const lessons::Stage& stage) {
        stage_ = &stage;
        const auto it = lessons_.find(code);
        if (it == lessons_.end())
            return false;
        const Script script = it->second; // may replace itself while it runs
        script(stage);
        return true;
    };
    tutor_ = std::make_unique<app::Tutor>(std::move(services), width, height);
    pump.learner = [this] { learner_turn(); };
}

void Harness::learner_turn()
{
    const std::string line = last_line();
    if (!line.empty() && (transcript_.empty() || transcript_.back() != line))
        transcript_.push_back(line);
    if (pump.turns > turn_limit) {
        limit_reached_ = true;
        tutor_->quit();
        return;
    }
    if (policy_)
        policy_(*this);
    else
        click_text();
}

bool Harness::run(const std::function<void()>& body)
{
    try {
        body();
    } catch (const ui::QuitRequested&) {
        return true;
    }
    return probe().quitting();
}

bool Harness::start()
{
    return run([this] {
        tutor_->Form_Load();
        tutor_->run_until_idle();
    });
}

bool Harness::settle()
{
    return run([this] { tutor_->run_until_idle(); });
}

void Harness::add_lesson(const std::string& code, Script script) { lessons_[code] = std::move(script); }

void Harness::start_lesson(const std::string& code) { menu("mnu_" + code).choose(); }

bool Harness::play(Script script)
{
    add_lesson("1a", std::move(script));
    start_lesson("1a");
    return settle();
}

const lessons::Stage& Harness::stage() const
{
    if (!stage_)
        qFatal("no lesson has run yet");
    return *stage_;
}

int Harness::num(int slot) const
{
    const auto value = probe().slots().value(slot);
    return value ? static_cast<int>(value->num()) : 0;
}

int Harness::den(int slot) const
{
    const auto value = probe().slots().value(slot);
    return value ? static_cast<int>(value->den()) : 1;
}

ui::MenuItem& Harness::menu(const std::string& name)
{
    ui::MenuItem* item = tutor_->window().menu_bar().find(name);
    if (!item)
        qFatal("no menu item %s", name.c_str());
    return *item;
}

void Harness::click_text()
{
    auto& box = control<ui::PictureBox>("pbox_text");
    if (box.on_click)
        box.on_click(10, 10);
}

void Harness::click_go_on()
{
    auto& link = control<ui::PictureBox>("pbox_go_on");
    if (link.visible() && link.on_click)
        link.on_click(1, 1);
}

void Harness::press_stop() { press("cmd_stop"); }

void Harness::press(const std::string& button) { control<ui::Button>(button).click(); }

void Harness::choose(const std::string& menu_item)
{
    auto& bar = tutor_->window().menu_bar();
    // Opening a menu runs its handler as the window would, so walk the path.
    std::vector<ui::MenuItem*> path;
    std::function<bool(ui::MenuItem&)> find = [&](ui::MenuItem& item) {
        path.push_back(&item);
        if (item.name() == menu_item)
            return true;
        for (const auto& child : item.items())
            if (find(*child))
                return true;
        path.pop_back();
        return false;
    };
    if (!find(bar))
        return;
    for (std::size_t i = 1; i < path.size(); ++i)
        path[i]->choose();
}

void Harness::click_page_strip(double x)
{
    auto& strip = control<ui::PictureBox>("pbox_pages");
    if (strip.on_mouse_down)
        strip.on_mouse_down(x, 5);
}

bool Harness::click_slider_to(ui::Slider& slider, int value)
{
    for (int clicks = 0; slider.value() != value && clicks < 70000; ++clicks) {
        const int before = slider.value();
        slider.user_change(before + (value > before ? 1 : -1));
        if (slider.value() == before)
            return false; // at the end of its range, or snapped back
    }
    return slider.value() == value;
}

bool Harness::set_fraction(int slot, int n, int d)
{
    const std::string index = "(" + std::to_string(slot) + ")";
    auto* num = dynamic_cast<ui::Slider*>(tutor_->window().find("slider_fracnum" + index));
    auto* den = dynamic_cast<ui::Slider*>(tutor_->window().find("slider_fracden" + index));
    return num && den && click_slider_to(*den, d) && click_slider_to(*num, n);
}

void Harness::type_into(ui::TextBox& box, const std::string& text)
{
    box.user_edit(text);
    if (box.on_mouse_down)
        box.on_mouse_down();
}

std::vector<std::string> history_lines(const std::string& history)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= history.size()) {
        std::size_t end = history.find("\r\n", start);
        std::string line = history.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (line.rfind("      ", 0) == 0)
            line.erase(0, 6);
        if (line.rfind("Bullet__ ", 0) == 0)
            line.erase(0, 9);
        if (!line.empty())
            lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

std::string Harness::last_line() const
{
    const auto lines = history_lines(probe().message_history());
    return lines.empty() ? std::string() : lines.back();
}

bool Harness::wrote(const std::string& fragment) const
{
    for (const auto& line : transcript_)
        if (line.find(fragment) != std::string::npos)
            return true;
    return last_line().find(fragment) != std::string::npos;
}

} // namespace quorrel::testing
