#pragma once
// The page token ("qzonetoken"): the page's script expression evaluated in a bare
// ECMAScript engine (QJSEngine without extensions: no network, file or DOM access).

#include "port/types.h"

namespace tarvelin {

// Rewrites every indexing of a parenthesised expression, ")[i]", into ").substr(i,1)";
// "[]" and "{}" stay out of the rewriting. An index that is never closed leaves the rest
// of the text unchanged.
Text RewritePageScript(const Text& script);

// The program that is run: a global `location` holding the site address and a function
// x() returning the rewritten expression.
Text PageTokenProgram(const Text& script);

// Evaluates the page script; empty text when it does not compile, throws, returns
// nothing, or runs longer than timeoutMs (it is then interrupted). The engine lives for
// this call only, on the calling thread. Needs a QCoreApplication (the front end's);
// without one the token is empty.
Text EvaluatePageToken(const Text& pageScript, int timeoutMs = 2000);

}  // namespace tarvelin
