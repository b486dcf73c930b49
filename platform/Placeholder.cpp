// Keeps the platform library non-empty while its first sources are written.
namespace Corvale
{
int platformPlaceholder = 0;
}
