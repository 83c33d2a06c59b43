// Loom: the application framework beneath the program.
//
// Naming. Every operation, class and member keeps the exact name under which the
// framework and the program know it; the runtime stores and records those exact
// strings. Where C++ cannot spell such a name, one mechanical rule applies:
//
//   1. The text before the first point names a namespace: the class whose
//      operation it is. Its functions take the object as their first argument.
//      "Window.Visible.Set"           -> Window::Visible_Set(window, 0, flag)
//      "Window2.BevelButton1_Action"  -> Window2::BevelButton1_Action(window, button)
//      "Window1.Window1"              -> Window1::Window1()
//      "_x_li.li"                     -> _x_li::li()
//   2. Every further point is written '_':
//      "FolderItem.Parent.Get"        -> FolderItem::Parent_Get(item)
//   3. '%' is written 'P', '<' and '>' are written '_', blanks are dropped:
//      "% main"                       -> Pmain()
//      "Delegate.Invoke%o<Object>%pp" -> Delegate::InvokePo_Object_Ppp(...)
//   4. Operations of one name for several signatures are C++ overloads:
//      "Delegate.IM_Invoke"           -> Delegate::IM_Invoke(delegate, control, ...)
//
// Instances of the framework's classes have the C++ types FooObject (WindowObject,
// BevelButtonObject, ...); a class's record is Foo::__Lookup().
#pragma once

#include "loom/CallRecord.h"
#include "loom/Classes.h"
#include "loom/Delegates.h"
#include "loom/Files.h"
#include "loom/Introspection.h"
#include "loom/Layout.h"
#include "loom/Object.h"
#include "loom/Ref.h"
#include "loom/Runtime.h"
#include "loom/Value.h"
#include "loom/Windows.h"
