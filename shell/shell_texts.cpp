#include "shell/shell_texts.h"

#include "resources/resource.h"

const char MainWindowCaption[] = "瞬記盤「まばたきばん」 Ver" MABATAKIBAN_VERSION;

namespace {

// Indexed by command id - CMD_START.
const char* const ToolTipTexts[] = {
    "スタート", "スタート", "ゲーム設定", "バージョン", "Webヘルプ", "ホームページ", "終了",
};
static_assert(sizeof ToolTipTexts / sizeof ToolTipTexts[0] == CMD_EXIT - CMD_START + 1,
              "one tooltip per command");

} // namespace

const char* commandToolTip(int id) {
    return id >= CMD_START && id <= CMD_EXIT ? ToolTipTexts[id - CMD_START] : nullptr;
}
