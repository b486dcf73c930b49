// Signatures of the engine functions that scripts can call. A signature is spelled by letters
// (result first, then the arguments): v nothing, n a number (float), s a UTF-8 text, b a bool.
// Only the thirty signatures below can be bound; each has one native trampoline.
#pragma once

#include "core/Types.h"

struct lua_State;

namespace Corvale
{
// Any bound function is stored as this and cast back by its signature's trampoline.
typedef void (*ScriptFunctionAddress)();
typedef int (*ScriptTrampolineFunction)(lua_State* state);

constexpr i32 SCRIPT_SIGNATURE_COUNT = 30;

// In the order the proxies are created.
constexpr const char* scriptSignatureLetters[SCRIPT_SIGNATURE_COUNT] = {
    "b",     "bs",   "n",      "nn",    "ns",  "nss",  "nsss", "nssn", "nsnn", "v",
    "vn",    "vnn",  "vnnn",   "vnnnn", "vnb", "vs",   "vss",  "vsss", "vsn",  "vsnn",
    "vsnnn", "vssn", "vsnnnn", "vsb",   "vb",  "vnns", "nnns", "s",    "sn",   "ss"};

template <class T> struct ScriptLetter;
template <> struct ScriptLetter<void>
{
   static constexpr char value = 'v';
};
template <> struct ScriptLetter<float>
{
   static constexpr char value = 'n';
};
template <> struct ScriptLetter<const char*>
{
   static constexpr char value = 's';
};
template <> struct ScriptLetter<bool>
{
   static constexpr char value = 'b';
};

template <class R, class... A> struct ScriptSignature
{
   static constexpr char letters[] = {ScriptLetter<R>::value, ScriptLetter<A>::value..., '\0'};
};

constexpr bool ScriptLettersEqual(const char* a, const char* b)
{
   while (*a && *a == *b)
   {
      ++a;
      ++b;
   }
   return *a == *b;
}

// Index of a signature in scriptSignatureLetters, or -1.
constexpr i32 ScriptSignatureIndexFind(const char* letters)
{
   for (i32 i = 0; i < SCRIPT_SIGNATURE_COUNT; ++i)
   {
      if (ScriptLettersEqual(scriptSignatureLetters[i], letters))
      {
         return i;
      }
   }
   return -1;
}

// What a bound global's userdata holds: the function, and the signature it was bound with, so a
// userdata moved under another signature's proxy is refused instead of called with the wrong
// arguments.
struct ScriptBoundFunction
{
   ScriptFunctionAddress function;
   i32 signature;
};

// The native function behind "__call" of each signature's proxy table; it expects the proxy
// table itself as its first upvalue.
ScriptTrampolineFunction ScriptTrampolineGet(i32 signature);

// A script number as an unsigned count: NaN and negatives give 0, values past the range its top.
u32 ScriptNumberToUnsigned(float number);
} // namespace Corvale
