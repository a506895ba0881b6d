#include "platform/metafile.h"

namespace formidor {

class Metafile::Recorder : public NullCanvas {
public:
    using NullCanvas::NullCanvas;
};

Metafile::Metafile(int width, int height, const Canvas& reference)
    : Metafile(width, height, reference.Caps(), reference.Measurer()) {}
Metafile::Metafile(int width, int height, const DeviceCaps& caps,
                   std::shared_ptr<const FontMeasurer> measurer)
    : width_(width), height_(height), recorder_(std::make_unique<Recorder>(caps, measurer)) {}
Metafile::~Metafile() = default;
const DeviceCaps& Metafile::ReferenceCaps() const {
    return recorder_->Caps();
}
Canvas& Metafile::GetCanvas() {
    return *recorder_;
}
void Metafile::Clear() {}
void Metafile::Clear(int width, int height) {
    width_ = width;
    height_ = height;
}
void Metafile::Play(Canvas&, const TRect&) const {}
std::vector<std::string> Metafile::TextStrings() const {
    return {};
}
const MetaText* Metafile::FindText(std::string_view) const {
    return nullptr;
}

} // namespace formidor
