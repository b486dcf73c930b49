// The entry point of corvale-cards. No command-line argument is read.
#include "app/Program.h"

int main()
{
   return Corvale::ProgramRun();
}
