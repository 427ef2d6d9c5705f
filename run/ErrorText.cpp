#include "run/ErrorText.h"

#include <new>

#include "model/Errors.h"
#include "run/BoxTexts.h"

std::string ErrorMessage(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& exception) {
    return exception.Message();
  } catch (const std::bad_alloc&) {
    return EOutOfMemory().Message();
  } catch (const std::exception& exception) {
    return exception.what();
  } catch (...) {
    return "Unknown error";
  }
}

std::string ErrorText(const std::exception_ptr& error) { return ErrorBoxText(ErrorMessage(error)); }
