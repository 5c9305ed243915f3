#include "base/file_choice.h"

#include "base/file_paths.h"

namespace zv {

std::optional<std::filesystem::path>
chooseNewFile(UserInterface& ui, const FileDialogRequest& request, const TargetRefusal& refuse) {
    for (;;) {
        const auto chosen = ui.chooseFiles(request);
        if (chosen.empty()) {
            return std::nullopt;
        }
        std::filesystem::path target = chosen.front();
        if (!target.has_extension() && !request.defaultExtension.empty()) {
            target.replace_extension(request.defaultExtension);
        }
        if (const std::string refusal = refuse ? refuse(target) : std::string(); !refusal.empty()) {
            ui.message(refusal, Icon::Exclamation);
            continue;
        }
        if (!canOpenForReading(target.string()) ||
            ui.ask("Die Datei existiert schon.\nSoll sie überschrieben werden?", Icon::Question,
                   Buttons::YesNo) == Answer::Yes) {
            return target;
        }
    }
}

std::optional<std::filesystem::path> chooseExistingFile(UserInterface& ui,
                                                        FileDialogRequest request) {
    request.mustExist = true;
    const auto chosen = ui.chooseFiles(request);
    if (chosen.empty()) {
        return std::nullopt;
    }
    return chosen.front().string();
}

} // namespace zv
