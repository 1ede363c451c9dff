#include "graphics/frame_settings.h"

#include "text/configuration.h"

namespace kv5 {

std::string ownerName;

namespace {

// Places in the first group of title flags (off flags).
constexpr size_t kNoProgramTitle = 0;
constexpr size_t kNoFileName = 1;
constexpr size_t kNoDate = 2;
constexpr size_t kNoLogo = 3;
constexpr size_t kNoFrame = 5;
// Places in the group of frame flags: the first two are off flags, the
// others are stored as they are.
constexpr size_t kNoZoneBorder = 0;
constexpr size_t kNoMillimetreScale = 1;
constexpr size_t kShowChanges = 2;
constexpr size_t kHeadSnippets = 3;
constexpr size_t kInsertSnippets = 4;
// Place of the revision rule among the last three flags.
constexpr size_t kZeroBasedRevisionRule = 0;

}  // namespace

FrameSettings FrameSettingsNow() {
  const StoredSettings& s = storedSettings;
  const UnlabelledValues& u = s.unlabelled;
  FrameSettings f;
  f.showFrame = !u.titleFlags[kNoFrame];
  f.style = u.titleBlockStyle >= kDinMinimal && u.titleBlockStyle <= kDinFull ? u.titleBlockStyle
                                                                              : kDinMinimal;
  f.tenMillimetreBorder = u.isoBorder == 1;
  f.indexStyle = s.defaults3d.indexStyle;
  f.zeroBasedRevisionRule = u.lastFlags[kZeroBasedRevisionRule];
  f.showRevisionTable = u.frameFlags[kShowChanges];
  f.showProtectionNote = !u.noCopyrightNote;
  f.showZoneBorder = !u.frameFlags[kNoZoneBorder];
  f.showMillimetreScale = !u.frameFlags[kNoMillimetreScale];
  f.showProgramTitle = !u.titleFlags[kNoProgramTitle];
  f.showFileName = !u.titleFlags[kNoFileName];
  f.showDate = !u.titleFlags[kNoDate];
  f.showLogo = !u.titleFlags[kNoLogo];
  f.showHeadSnippets = u.frameFlags[kHeadSnippets];
  f.showInsertSnippets = u.frameFlags[kInsertSnippets];
  f.approvalLabel = s.defaults3d.approvalLabel;
  return f;
}

void InitFrameSettings() {
  ownerName.clear();
}

}  // namespace kv5
