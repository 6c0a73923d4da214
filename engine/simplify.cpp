#include "engine/catch_all_text.h"
#include "engine/evaluator.h"
#include "engine/lexical.h"
#include "engine/nesting_guard.h"
#include "engine/scoped_value.h"
#include "errors/error_text.h"

namespace talmiron {

namespace {

bool IsOneOf(char16_t c, TextView set) {
    return set.find(c) != TextView::npos;
}

// Enough for most texts, so that the store is made once.
constexpr std::size_t kGroupsReserved = 4;

// The values a call of Simplify adds to the store, taken off again when the
// call ends, however it ends.
template <typename Store> class GroupsOfThisCall {
  public:
    explicit GroupsOfThisCall(Store& store) : store_(store), first(store.size()) {}
    ~GroupsOfThisCall() {
        store_.erase(store_.begin() + static_cast<std::ptrdiff_t>(first), store_.end());
    }
    GroupsOfThisCall(const GroupsOfThisCall&) = delete;
    GroupsOfThisCall& operator=(const GroupsOfThisCall&) = delete;

  private:
    Store& store_;

  public:
    const std::size_t first;
};

} // namespace

// Each outermost group that is no argument list is evaluated by a recursive
// call, and its value stands for the group when Polynomial reads the text.
// The text itself is never changed or copied: the scan looks at the
// characters of its own level only, jumping over literals and over every
// group, whose inside is the business of the recursive call or, for an
// argument list, of the function call.
Value Evaluator::Simplify(TextView text, EvaluationStates& state) {
    std::int32_t line = 1;
    try {
        const NestingGuard guard(simplifyNesting_, kMaxSimplifyNesting);
        const GroupsOfThisCall groups(groupStore_);
        std::int32_t depth = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i];
            if (c == kQuote) {
                i = index_->LiteralEnd(text, i);
            } else if (c == u')') {
                --depth;
            } else if (c == u'(' && ++depth == 1) {
                const std::size_t close = index_->GroupEnd(text, i);
                if (close == TextIndex::npos) {
                    break; // the group never closes
                }
                depth = 0;
                if (close + 1 < text.size() && !IsOneOf(text[close + 1], u"+-/*^)")) {
                    state = EvaluationStates_Error;
                    return ErrorText(1003);
                }
                const bool call = i > 0 && !IsOneOf(text[i - 1], u"+-/*^(");
                if (!call) {
                    EvaluationStates groupState = EvaluationStates_None;
                    Value value = Simplify(text.substr(i + 1, close - i - 1), groupState);
                    if (groupState == EvaluationStates_Error) {
                        state = EvaluationStates_Error;
                        return value;
                    }
                    if (groupStore_.capacity() == 0) {
                        groupStore_.reserve(kGroupsReserved);
                    }
                    groupStore_.push_back(
                        {text.data() + i, close - i + 1, std::move(value), groupState});
                }
                i = close;
            }
        }
        line = 2;
        if (depth != 0) {
            state = EvaluationStates_Error;
            return ErrorText(1002);
        }
        line = 3;
        const ScopedValue<GroupRange> values(groups_, {groups.first, groupStore_.size()});
        return Polynomial(text, 1, state);
    } catch (...) {
        state = EvaluationStates_Error;
        return SimplifyFailureText(CurrentFailure(), line);
    }
}

} // namespace talmiron
