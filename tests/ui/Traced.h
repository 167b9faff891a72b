// An object that adds its name to a trace as it is freed: the order in which
// owners, lists and forms free what they hold.
#pragma once
#include "ui/Object.h"
#include <string>

class Traced : public BaseObject {
  public:
    Traced(std::string& trace, char name) : trace_(trace), name_(name) {}

  protected:
    ~Traced() override { trace_ += name_; }

  private:
    std::string& trace_;
    char name_;
};
