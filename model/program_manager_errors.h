// Errors of the Program Manager client (the EAIPM branch of the installer's
// errors). Messages are translated before they are filled in.
#pragma once

#include <string>

#include "model/errors.h"

namespace kit {

class EAIPMError : public EAI {
 public:
  EAIPMError();
  const char* ClassName() const override { return "EAIPMError"; }

 protected:
  using EAI::EAI;
};

class EAIPMCannotOpen : public EAIPMError {
 public:
  EAIPMCannotOpen();
  const char* ClassName() const override { return "EAIPMCannotOpen"; }
};

class EAIPMCannotOpenGroup : public EAIPMError {
 public:
  explicit EAIPMCannotOpenGroup(const std::string& group);
  const char* ClassName() const override { return "EAIPMCannotOpenGroup"; }
  const std::string& Group() const { return group_; }

 private:
  std::string group_;
};

class EAIPMCannotCreateGroup : public EAIPMError {
 public:
  explicit EAIPMCannotCreateGroup(const std::string& group);
  const char* ClassName() const override { return "EAIPMCannotCreateGroup"; }
  const std::string& Group() const { return group_; }

 private:
  std::string group_;
};

class EAIPMCannotAddItem : public EAIPMError {
 public:
  EAIPMCannotAddItem(const std::string& group, const std::string& item,
                     const std::string& command);
  const char* ClassName() const override { return "EAIPMCannotAddItem"; }
  const std::string& Group() const { return group_; }
  const std::string& Item() const { return item_; }
  const std::string& Command() const { return command_; }

 private:
  std::string group_, item_, command_;
};

class EAIPMCannotReplaceItem : public EAIPMError {
 public:
  EAIPMCannotReplaceItem(const std::string& group, const std::string& item);
  const char* ClassName() const override { return "EAIPMCannotReplaceItem"; }
  const std::string& Group() const { return group_; }
  const std::string& Item() const { return item_; }

 private:
  std::string group_, item_;
};

class EAIPMCannotDeleteItem : public EAIPMError {
 public:
  EAIPMCannotDeleteItem(const std::string& group, const std::string& item);
  const char* ClassName() const override { return "EAIPMCannotDeleteItem"; }
  const std::string& Group() const { return group_; }
  const std::string& Item() const { return item_; }

 private:
  std::string group_, item_;
};

}  // namespace kit
