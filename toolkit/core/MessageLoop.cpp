#include "toolkit/core/Form.h"
#include "toolkit/core/WindowProcedure.h"

namespace OrvUtility {

int RunMessageLoop(Form* form) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (form && form->dialog && IsDialogMessageW(form->handle, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace OrvUtility
