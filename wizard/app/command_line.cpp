#include "command_line.h"

#include <cstring>
#include <string>

void StripQuotes(char* text) {
    size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '"') {
        text[--length] = '\0';
    }
    if (length > 0 && text[0] == '"') {
        std::memmove(text, text + 1, length); // includes the terminator
    }
}

WizardCommandLine ParseWizardCommandLine(const char* commandLine) {
    WizardCommandLine result{};
    if (!commandLine || !*commandLine) {
        return result;
    }
    std::string text = commandLine;
    const size_t autoSwitch = text.find(" /p");
    if (autoSwitch != std::string::npos) {
        text.resize(autoSwitch);
        result.bAutoEmboss = true;
    }
    StripQuotes(text.data());
    text.resize(std::strlen(text.c_str()));
    if (text.size() < sizeof result.szPath) {
        std::memcpy(result.szPath, text.c_str(), text.size() + 1);
    }
    return result;
}
