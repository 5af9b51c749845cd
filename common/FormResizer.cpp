// PLACEHOLDER until proportional resizing lands.
#include "common/FormResizer.h"

namespace tk {

struct FormResizer::Impl {};
FormResizer::FormResizer(QWidget*) : impl_(new Impl) {}
FormResizer::~FormResizer() { delete impl_; }
void FormResizer::RecordLayout() {}
void FormResizer::ApplyLayout() {}

}  // namespace tk
