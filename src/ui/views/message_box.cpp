#include "ui/views/message_box.h"

#include <QMessageBox>

namespace quorrel::ui {

void MessageBoxDialogs::message_box(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quorrel"), QString::fromStdString(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

} // namespace quorrel::ui
