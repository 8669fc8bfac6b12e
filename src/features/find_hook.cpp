#include "features/find_hook.h"

namespace {
CloseFindDialogFunction g_closeFindDialog = nullptr;
}

CloseFindDialogFunction SetCloseFindDialogFunction(CloseFindDialogFunction function) {
    CloseFindDialogFunction previous = g_closeFindDialog;
    g_closeFindDialog = function;
    return previous;
}

void CloseFindDialogBeforeMessage() {
    if (g_closeFindDialog) g_closeFindDialog();
}
