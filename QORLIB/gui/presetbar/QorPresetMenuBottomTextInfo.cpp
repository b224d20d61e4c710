#include "QORLIB/gui/presetbar/QorPresetMenuBottomTextInfo.h"

#include "QORLIB/gui/QorDrawContext.h"
#include "QORLIB/gui/QorSharedFonts.h"
#include "QORLIB/gui/presetbar/PresetBarColours.h"
#include "QORLIB/presets/QorPresetManager.h"
#include "QORLIB/presets/QorUserPresetFolder.h"

namespace
{
// Paths are longer than the name table's 63 characters: measured, cut in the middle, so that
// the start of the folder and the file name both stay.
std::string fitPath(QorDrawContext& context, const std::string& text, double room)
{
    if (context.getStringWidth(text.c_str()) <= room)
        return text;
    for (size_t cut = 1; cut + 8 < text.size(); ++cut)
    {
        size_t head = (text.size() - cut) / 2;
        size_t tail = head + cut;
        // Never split a UTF-8 sequence.
        while (head > 0 && (static_cast<unsigned char>(text[head]) & 0xc0) == 0x80)
            --head;
        while (tail < text.size() && (static_cast<unsigned char>(text[tail]) & 0xc0) == 0x80)
            ++tail;
        const std::string shown = text.substr(0, head) + "..." + text.substr(tail);
        if (context.getStringWidth(shown.c_str()) <= room)
            return shown;
    }
    return "...";
}
} // namespace

QorPresetMenuBottomTextInfo::QorPresetMenuBottomTextInfo(const QorRect& rect, const QorPresetManager* manager)
    : QorCustomControl(rect, kTag), manager_(manager)
{
    value_ = 0.0;
    setSelection(0, 0, -1);
}

void QorPresetMenuBottomTextInfo::setSelection(uint32_t kind, uint32_t column, int32_t index)
{
    kind_ = kind;
    column_ = column;
    index_ = index;
    const bool user = kind == kQorUserDirectory;
    title_ = user ? kUserTitle : kFactoryTitle;
    detail_ = user ? userDetail() : kFactoryDetail;
    // The preset that failed to load says why, as long as it is the one shown.
    problem_ = manager_ && !manager_->loadError().empty() && manager_->kind() == kind &&
               manager_->column() == column && manager_->index() == index;
    if (problem_)
        title_ = manager_->loadError();
    setHint(detail_.c_str());
    invalid();
}

void QorPresetMenuBottomTextInfo::showOpenFailure()
{
    if (kind_ != kQorUserDirectory)
        return;
    title_ = kOpenFailedTitle;
    invalid();
}

// The folder, then the sub-folder and file of the selected preset, joined with "/".
std::string QorPresetMenuBottomTextInfo::userDetail() const
{
    const std::string folder = manager_ ? manager_->userFolder() : std::string();
    if (folder.empty())
        return kNoFolderDetail;
    std::string path = folder;
    const QorPresetDirectory* dir = manager_->directory(kQorUserDirectory);
    const QorPresetEntry* entry = dir && index_ >= 0 ? dir->entry(column_, static_cast<uint32_t>(index_)) : nullptr;
    if (entry)
    {
        const QorPresetColumn* sub = entry->folderColumn > 0 ? dir->column(static_cast<uint32_t>(entry->folderColumn)) : nullptr;
        if (sub)
            path += "/" + sub->name();
        return path + "/" + entry->fileName + QorUserPresetFolder::kExtension;
    }
    const QorPresetColumn* sub = dir && column_ > 0 ? dir->column(column_) : nullptr;
    if (sub)
        path += "/" + sub->name();
    return path;
}

void QorPresetMenuBottomTextInfo::draw(QorDrawContext& context)
{
    const QorRect box{rect_.left + 4, rect_.top + 2, rect_.right - 4, rect_.bottom - 4};
    context.setLineWidth(1.0);
    context.setFillColor(hover_ ? PresetBarColours::kButtonHover : PresetBarColours::kFrame);
    context.drawRoundRect(box, 4.0, QorDrawContext::kFilled);
    if (hover_)
    {
        context.setFrameColor(PresetBarColours::kHoverOutline);
        context.drawRoundRect(box, 4.0, QorDrawContext::kStroked);
    }
    const QorRect text{box.left + 8, box.top, box.right - 8, box.bottom};
    context.setFont(QorSharedFonts::arial(12));
    const bool failed = problem_ || title_ == kOpenFailedTitle;
    context.setFontColor(failed ? PresetBarColours::kWarning
                                : hover_ ? PresetBarColours::kTextBright : PresetBarColours::kText);
    context.drawString(title_.c_str(), text, QorDrawContext::kAlignLeft, true);
    // The file's path fills what the title leaves, cut in the middle when it is too long; the
    // factory detail only repeats the title and stays a hint.
    const double titleWidth = context.getStringWidth(title_.c_str());
    const double room = text.width() - titleWidth - 16;
    if (kind_ == kQorUserDirectory && room > 40)
    {
        context.setFont(QorSharedFonts::arial(10));
        context.setFontColor(PresetBarColours::kDetailText);
        const std::string shown = fitPath(context, detail_, room);
        context.drawString(shown.c_str(), {text.right - room, text.top, text.right, text.bottom},
                           QorDrawContext::kAlignRight, true);
    }
}

int32_t QorPresetMenuBottomTextInfo::onMouseDown(const QorPoint&, uint32_t flags)
{
    if (!(flags & kQorLButton))
        return kQorMouseNotHandled;
    if (kind_ == kQorUserDirectory)
    {
        value_ = 1.0;
        valueChanged();
        value_ = 0.0;
    }
    return kQorMouseHandledFinal;
}
