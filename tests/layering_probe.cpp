// Built only by the layering_probe test, which passes when this fails to
// compile: fractions lies below lessons and must not see its headers.
#include "fractions/fraction.h"
#include "lessons/stage.h"
