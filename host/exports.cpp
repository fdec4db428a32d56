// The two exports: copies of the host's texts in, the dispatcher, the last reply and description
// kept until the next call. No exception crosses to the host: every one is a fatal fault.
#include "host/exports.h"

#include <exception>
#include <new>
#include <string>

#include "exam/handle_message.h"
#include "host/process_state.h"
#include "runtime/platform.h"
#include "store/fixed_texts.h"

namespace vexlo {
namespace {

std::string copyHostText(const char* text) { return text == nullptr ? std::string() : std::string(text); }

// Runs `body` and returns its result; an exception ends the process as a fatal fault instead of
// reaching the host.
template <typename Body>
const char* withoutExceptions(Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    platformFatalFault("Vexlo: out of memory");
  } catch (const std::exception& fault) {
    platformFatalFault(fault.what());
  } catch (...) {
    platformFatalFault("Vexlo: unexpected fault");
  }
}

}  // namespace
}  // namespace vexlo

extern "C" const char* info() {
  return vexlo::withoutExceptions([] {
    vexlo::ExamState& state = vexlo::processExamState();
    state.lastDescription = vexlo::texts::description;
    return state.lastDescription.c_str();
  });
}

extern "C" const char* VEXLO_STDCALL plugmain(const char* message, const char* chatKind,
                                              const char* groupId, const char* senderId,
                                              const char* extra) {
  return vexlo::withoutExceptions([&] {
    std::string messageCopy = vexlo::copyHostText(message);
    const std::string chatKindCopy = vexlo::copyHostText(chatKind);
    const std::string groupIdCopy = vexlo::copyHostText(groupId);
    const std::string senderIdCopy = vexlo::copyHostText(senderId);
    const std::string extraCopy = vexlo::copyHostText(extra);

    vexlo::ExamState& state = vexlo::processExamState();
    std::string reply = vexlo::handleMessage(state, vexlo::processRunTime(), messageCopy,
                                             chatKindCopy, groupIdCopy, senderIdCopy, extraCopy);
    // The previous reply goes only now: the host may have passed it back as an argument.
    state.lastReply = std::move(reply);
    return state.lastReply.c_str();
  });
}
