#include "ProgramHarness.h"
#include "mainwindow/Window2.h"
#include <gtest/gtest.h>
#include <iostream>
using namespace loom;
TEST(Scratch, Dump) {
  progtest::ProgramRun run;
  int st = run.run([&]{ CallRecord::start(); Ref<WindowObject> w(Window2::Window2()); CallRecord::stop();
     for (auto& l : CallRecord::lines()) std::cout << l << "\n"; },
     [&]{ CallRecord::start(); Ref<WindowObject> w(Window2::Window2());
       pressButton(Window2::BevelButton1(w.get()));
       for (auto& l : CallRecord::lines()) std::cout << "IDLE " << l << "\n"; });
  std::cout << "status " << st << "\n";
}
TEST(Scratch, Main) {
  progtest::ProgramRun run;
  CallRecord::start();
  int st = run.run(nullptr, nullptr);
  for (auto& l : CallRecord::lines()) std::cout << l << "\n";
  std::cout << "status " << st << "\n";
}
