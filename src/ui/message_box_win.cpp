#include <windows.h>

#include "base/utf16.h"
#include "base/wide_path_win.h"
#include "ui/message_box.h"

namespace {

int ShowWithMessageBoxA(HWND owner, const char* text, const char* title, unsigned type) {
    return MessageBoxA(owner, text, title, type);
}

MessageBoxFunction g_messageBox = ShowWithMessageBoxA;
CloseFindDialogFunction g_closeFindDialog = nullptr;

}  // namespace

CloseFindDialogFunction SetCloseFindDialogFunction(CloseFindDialogFunction function) {
    CloseFindDialogFunction previous = g_closeFindDialog;
    g_closeFindDialog = function;
    return previous;
}

int ShowMessage(HWND owner, const char* text, const char* title, unsigned type, FindDialogBeforeMessage find) {
    if (find == FindDialogBeforeMessage::Close && g_closeFindDialog) g_closeFindDialog();
    return g_messageBox(owner, text, title, type);
}

int ShowMessage(HWND owner, const PathMessage& message, const char* title, unsigned type,
                FindDialogBeforeMessage find) {
    if (g_messageBox != ShowWithMessageBoxA) return ShowMessage(owner, message.Text().c_str(), title, type, find);
    if (find == FindDialogBeforeMessage::Close && g_closeFindDialog) g_closeFindDialog();
    const std::wstring text = WideMessage(message.before.c_str(), message.path.c_str(), message.after.c_str());
    const std::u16string wideTitle = Cp1252ToUtf16(title);
    return MessageBoxW(owner, text.c_str(), reinterpret_cast<const wchar_t*>(wideTitle.c_str()), type);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : ShowWithMessageBoxA;
    return previous;
}
