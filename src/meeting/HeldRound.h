#pragma once
// What the sign-in and vote pages do when their procedure holds an ended round
// instead of storing it: a round no unit answered is stored only when the
// operator says so (No is the default), and a failed store is offered again
// ("Try again" is Yes) until it succeeds or the operator lets it go. A failed
// retry holds the round again and comes back here with the new reason.

#include "ui/PageTexts.h"

#include <functional>

inline void offerHeldRound(const PageTexts& texts, const QString& reason,
                           const std::function<bool()>& storeAgain, const std::function<void()>& discard)
{
    const bool store = reason.isEmpty() ? texts.question(QStringLiteral("MsgNoAnswer"))
                                        : texts.ask(texts(QStringLiteral("MsgNotStored")).arg(reason));
    if (store)
        storeAgain();
    else
        discard();
}
