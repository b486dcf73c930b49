// Keeps the core library non-empty while its first sources are written.
namespace Corvale
{
int corePlaceholder = 0;
}
