#include "QORLIB/gui/CQorBitmap.h"

#include "QORLIB/gui/toolkit/Bitmap.h"
#include "resources/QorResourceTable.h"

namespace Qorwerk
{

void CQorBitmap::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    const auto bytes = QorResourceTable::findImage(id_);
    if (!bytes.empty())
        platform_ = qortk::Bitmap::fromPng(bytes);
    if (!platform_)
        platform_ = qortk::Bitmap::blank(kBlankWidth, kBlankHeight);
    if (platform_)
        platform_->setScaleFactor(kScaleFactor);
}

double CQorBitmap::getWidth()
{
    load();
    return platform_ ? platform_->width() : 0.0;
}

double CQorBitmap::getHeight()
{
    load();
    return platform_ ? platform_->height() : 0.0;
}

const std::shared_ptr<qortk::Bitmap>& CQorBitmap::platformBitmap()
{
    load();
    return platform_;
}

} // namespace Qorwerk
