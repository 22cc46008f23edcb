// The Calculator's arithmetic: one line of text in, one double out. It needs
// no window and no Windows header, so the native tests and the fuzzer run it
// with the host compiler's sanitizers.
#ifndef VORNEL_LOGIC_EVALUATOR_H
#define VORNEL_LOGIC_EVALUATOR_H

// Evaluates one line of calculator input. On success writes the upper-cased text back into `text`.
//
// `text` is zero-terminated and at most 79 characters long; a longer text is
// refused. On failure `ok` is false, the result is 0.0 and `text` is left
// byte-for-byte as it was. Nothing is kept between calls.
double EvaluateExpression(char* text, bool& ok);

#endif
