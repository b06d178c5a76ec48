#include "ScriptRunner.h"

#include "ViewFinder.h"
#include "WindowSnapshot.h"

#include <Foundation/RunLoop.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarController.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <exception>

namespace kerbelin::sim {
namespace {

using ios::UIViewController;

// Controllers from the window's root towards the front: a tab controller's selected tab, a
// navigation controller's top, the children that are on screen, then what is presented on top.
void visitFront(const std::shared_ptr<UIViewController>& controller,
                const std::function<void(const std::shared_ptr<UIViewController>&)>& visitor) {
  if (!controller) return;
  visitor(controller);
  if (auto tabs = std::dynamic_pointer_cast<ios::UITabBarController>(controller)) {
    visitFront(tabs->selectedViewController(), visitor);
  } else if (auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(controller)) {
    visitFront(navigation->topViewController(), visitor);
  } else {
    for (const auto& child : controller->children())
      if (child->isViewLoaded() && child->view()->window()) visitFront(child, visitor);
  }
  // A child answers what its container presents; only the outermost controller follows it.
  if (!controller->parent()) visitFront(controller->presentedViewController(), visitor);
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

std::string ScriptResult::message() const {
  if (exitCode == 0) return {};
  return "line " + std::to_string(line) + ": " + reason;
}

ScriptRunner::ScriptRunner(std::shared_ptr<ios::UIWindow> window, Options options)
    : window_(std::move(window)), options_(std::move(options)) {}

ScriptResult ScriptRunner::run(const ParsedScript& script) {
  if (!script.ok()) return {2, *script.errorLine, script.error};
  for (const auto& command : script.commands) {
    std::string reason;
    bool ok = false;
    try {
      ok = execute(command, reason);
    } catch (const std::exception& error) {
      reason = error.what();
    }
    if (!ok) return {1, command.line, reason};
    if (afterCommand) afterCommand(command);
  }
  return {};
}

void ScriptRunner::settle() {
  ios::RunLoop::main().runUntilIdle();
  window_->layoutIfNeeded();
}

bool ScriptRunner::execute(const ScriptCommand& command, std::string& reason) {
  using Kind = ScriptCommand::Kind;
  auto& loop = ios::RunLoop::main();
  settle();
  ios::TouchGenerator touches(window_);
  switch (command.kind) {
    case Kind::tapText:
      return tapTarget(command.text, false, reason);
    case Kind::tapIdentifier:
      return tapTarget(command.text, true, reason);
    case Kind::tapPoint:
      touches.tap({command.x1, command.y1});
      return true;
    case Kind::drag: {
      const int steps = std::clamp(static_cast<int>(std::lround(command.seconds * 60)), 2, 600);
      touches.drag({command.x1, command.y1}, {command.x2, command.y2}, command.seconds, steps);
      return true;
    }
    case Kind::wait:
      loop.advance(command.seconds);
      return true;
    case Kind::idle:
      return ios::IdleWaiter(window_).waitUntilIdle(options_.idleTimeoutSeconds, reason);
    case Kind::expect:
    case Kind::expectNot:
      return expectText(command, reason);
    case Kind::shot:
      return shot(command.text, reason);
    case Kind::back:
      return back(reason);
    case Kind::tab:
      return tab(command.number, reason);
    case Kind::open:
      return open(command, reason);
  }
  reason = "unknown command";
  return false;
}

bool ScriptRunner::tapTarget(const std::string& what, bool byIdentifier, std::string& reason) {
  ViewFinder finder(window_);
  auto target = byIdentifier ? finder.frontmostWithIdentifier(what) : finder.frontmostWithText(what);
  if (!target) {
    reason = byIdentifier ? "no visible view has the identifier #" + what
                          : "no visible view shows " + quoted(what);
    return false;
  }
  ios::TouchGenerator(window_).tap({target->visibleRect.midX(), target->visibleRect.midY()});
  return true;
}

bool ScriptRunner::expectText(const ScriptCommand& command, std::string& reason) {
  const bool shows = ViewFinder(window_).showsText(command.text);
  if (command.kind == ScriptCommand::Kind::expect && !shows) {
    reason = "expected " + quoted(command.text) + " on the screen, but no visible view shows it";
    return false;
  }
  if (command.kind == ScriptCommand::Kind::expectNot && shows) {
    reason = "expected no " + quoted(command.text) + " on the screen, but a visible view shows it";
    return false;
  }
  return true;
}

bool ScriptRunner::shot(const std::string& name, std::string& reason) {
  const auto path = options_.outDirectory / (name + ".png");
  if (!WindowSnapshot::writePNG(*window_, path)) {
    reason = "could not write " + path.string();
    return false;
  }
  // The end-to-end tests hold every screenshot's kept frame to a picture drawn afresh.
  if (const char* check = std::getenv("KERBELIN_CHECK_FRAMES"); check && std::string(check) == "1") {
    if (auto difference = WindowSnapshot::differenceFromAFreshPicture(*window_); !difference.empty()) {
      reason = "the kept frame differs from a fresh picture: " + difference;
      return false;
    }
  }
  shots_.erase(std::remove(shots_.begin(), shots_.end(), name), shots_.end());
  shots_.push_back(name);
  return true;
}

bool ScriptRunner::back(std::string& reason) {
  std::shared_ptr<ios::UINavigationController> front;
  visitFront(window_->rootViewController(), [&](const std::shared_ptr<UIViewController>& controller) {
    auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(controller);
    if (navigation && navigation->viewControllers().size() > 1) front = navigation;
  });
  if (!front) {
    reason = "no navigation controller on screen has a screen to go back to";
    return false;
  }
  front->popViewController(true);
  return true;
}

bool ScriptRunner::open(const ScriptCommand& command, std::string& reason) {
  std::shared_ptr<UIViewController> front;
  visitFront(window_->rootViewController(), [&](const std::shared_ptr<UIViewController>& controller) {
    if (auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(controller))
      front = navigation->topViewController();
  });
  if (!front) {
    reason = "no navigation controller on screen";
    return false;
  }
  if (!openScreen) {
    reason = "this host opens no screen by name";
    return false;
  }
  return openScreen(command.screen, command.text, front, reason);
}

bool ScriptRunner::tab(int number, std::string& reason) {
  std::shared_ptr<ios::UITabBarController> front;
  visitFront(window_->rootViewController(), [&](const std::shared_ptr<UIViewController>& controller) {
    if (auto tabs = std::dynamic_pointer_cast<ios::UITabBarController>(controller)) front = tabs;
  });
  if (!front) {
    reason = "no tab bar controller on screen";
    return false;
  }
  const auto index = static_cast<std::size_t>(number - 1);
  if (index >= front->viewControllers().size()) {
    reason = "tab " + std::to_string(number) + " does not exist (there are " +
             std::to_string(front->viewControllers().size()) + ")";
    return false;
  }
  const auto& bar = front->tabBar();
  const bool barShows = bar->window() == window_ && !bar->isHidden() && bar->alpha() >= 0.01;
  if (barShows) {
    const auto slot = bar->convert(bar->itemRect(index), nullptr);
    ios::TouchGenerator(window_).tap({slot.midX(), slot.midY()});
  } else {
    front->setSelectedIndex(index);
  }
  return true;
}

}  // namespace kerbelin::sim
