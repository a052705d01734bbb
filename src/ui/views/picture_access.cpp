#include "ui/views/picture_access.h"

#include "ui/views/control_views.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace quorrel::ui {

namespace {

class PictureAccess final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit PictureAccess(PictureView& view) : QAccessibleWidget(&view), view_(view) {}

    QAccessible::Role role() const override
    {
        return view_.box().holds_text ? QAccessible::EditableText : QAccessible::Graphic;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (view_.box().holds_text) {
            // Read-only, but with a caret a reader moves over the lines.
            state.readOnly = true;
            state.editable = true;
            state.multiLine = true;
            state.selectableText = true;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && view_.box().holds_text)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int startOffset, int endOffset) const override
    {
        const QString& all = view_.read_text();
        const qsizetype start = std::clamp<qsizetype>(startOffset, 0, all.size());
        // An end of -1 means the end of the text.
        const qsizetype end = endOffset < 0 ? all.size() : std::clamp<qsizetype>(endOffset, start, all.size());
        return all.mid(start, end - start);
    }
    using QAccessibleWidget::text;
    int characterCount() const override { return static_cast<int>(view_.read_text().size()); }
    int cursorPosition() const override { return view_.caret(); }
    void setCursorPosition(int position) override { view_.set_caret(position); }

    // Nothing is ever selected, and where each letter is drawn is not known.
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    PictureView& view_;
};

QAccessibleInterface* picture_access(const QString&, QObject* object)
{
    // Picture views have no meta-object of their own: they are asked for
    // under their base class's name.
    if (auto* view = dynamic_cast<PictureView*>(object))
        return new PictureAccess(*view);
    return nullptr;
}

} // namespace

TextChange text_change(const QString& before, const QString& now)
{
    qsizetype same = 0;
    while (same < before.size() && same < now.size() && before[same] == now[same])
        ++same;
    if (same < before.size())
        same = same > 0 ? before.lastIndexOf(u'\n', same - 1) + 1 : 0;
    return {static_cast<int>(same), before.mid(same), now.mid(same)};
}

void install_picture_access()
{
    static const bool installed = [] {
        QAccessible::installFactory(picture_access);
        return true;
    }();
    (void)installed;
}

} // namespace quorrel::ui
