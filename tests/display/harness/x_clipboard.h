#pragma once

// The clipboard as another program reads it: a second X client asks the owner of the CLIPBOARD
// selection (the program, through Qt's xcb platform) for one target and reads the answer, large
// answers in pieces (INCR) included. The Qt event loop runs meanwhile, so that the program can
// answer.
//   vkx::ClipboardTargets()              the targets the owner offers ("UTF8_STRING", "text/html")
//   vkx::ClipboardAs("text/html")        the bytes of one target; empty optional when refused

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace vkx {

std::optional<QByteArray> ClipboardAs(const char* target, int timeoutMs = 10000);
QStringList ClipboardTargets(int timeoutMs = 10000);

} // namespace vkx
