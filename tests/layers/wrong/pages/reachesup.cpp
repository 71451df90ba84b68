// A page-engine file that reaches up into the trainer: the include check
// must reject this tree.
#include "common/random.h"
#include "trainer/tmain.h"
