#include "ui/shell_helpers.h"
#include "foundation/ai_string.h"
#include "foundation/errors.h"
#include <shellapi.h>

int BuildShellRequest(const WCHAR* verb, const WCHAR* target, const WCHAR* parameters, ShellRequest* out)
{
    ZeroMemory(out, sizeof(*out));
    if (!target || !target[0]) return 0;
    CopyTextBounded(out->verb, 16, verb ? verb : L"");
    AIString address(target);
    if (address.StartsWithNoCase(L"file:")) {
        // The file protocol handler resolves "file:" addresses as the browser would.
        CopyTextBounded(out->file, 1040, L"rundll32.exe");
        AIString arguments(L"url.dll,FileProtocolHandler ");
        arguments.AppendText(target);
        if (arguments.GetLength() >= 1100) return 0;
        CopyTextBounded(out->parameters, 1100, arguments.GetText());
        return 1;
    }
    if (address.GetLength() >= 1040) return 0;
    CopyTextBounded(out->file, 1040, target);
    if (parameters) {
        if (TextLength(parameters) >= 1100) return 0;
        CopyTextBounded(out->parameters, 1100, parameters);
    }
    return 1;
}

int OpenInShell(HWND owner, const WCHAR* verb, const WCHAR* target, const WCHAR* parameters,
                const WCHAR* folder, int showCommand)
{
    ShellRequest request;
    AIString message;
    if (!BuildShellRequest(verb, target, parameters, &request)) {
        message.AssignText(L"Cannot open an empty or over-long address.");
        ReportError(0, L"Error", message.GetText());
        return 0;
    }
    HINSTANCE result = ShellExecuteW(owner, request.verb[0] ? request.verb : 0, request.file,
                                     request.parameters[0] ? request.parameters : 0,
                                     folder && folder[0] ? folder : 0, showCommand);
    if ((INT_PTR)result > 32) return 1;
    message.AssignText(L"Could not open ").AppendText(target);
    ReportError((int)(INT_PTR)result, L"Error", message.GetText());
    return 0;
}
