#pragma once

#include <QGuiApplication>

#include <cstdlib>
#include <string_view>

// Pictures and fonts need a GUI application; one serves every input. The
// offscreen platform needs no display.
inline void start_qt()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// Inputs longer than this are cut: every iteration stays quick.
inline constexpr std::size_t max_input = 4096;

inline std::string_view input_text(const unsigned char* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size < max_input ? size : max_input};
}
