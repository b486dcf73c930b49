// The attachment base shared by every kind.
#include "tutorial/skeleton/skAttachment.h"

namespace Corvale
{
void skAttachment_dispose(skAttachment* self)
{
   self->_dispose(self);
}
} // namespace Corvale
