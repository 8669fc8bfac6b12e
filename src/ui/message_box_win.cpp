#include <windows.h>

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

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : ShowWithMessageBoxA;
    return previous;
}
