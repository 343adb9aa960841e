#include "setup/LogonTask.h"

#include <taskschd.h>

#include "setup/Bstr.h"
#include "setup/ComApartment.h"
#include "setup/ComPtr.h"
#include "setup/portable/LogonTaskXml.h"

namespace tarnel::setup {

namespace {

VARIANT Empty() {
  VARIANT value;
  ::VariantInit(&value);
  return value;
}

// The root folder of the local machine's scheduler; fails where there is no Task Scheduler 2.0.
HRESULT OpenRootFolder(ComPtr<ITaskFolder>& root) {
  ComPtr<ITaskService> service;
  HRESULT hr = ::CoCreateInstance(__uuidof(TaskScheduler), nullptr, CLSCTX_INPROC_SERVER,
                                  __uuidof(ITaskService), service.PutVoid());
  if (FAILED(hr)) return hr;
  hr = service->Connect(Empty(), Empty(), Empty(), Empty());
  if (FAILED(hr)) return hr;
  return service->GetFolder(Bstr(L"\\").Get(), root.Put());
}

}  // namespace

HRESULT RegisterLogonTask(const std::wstring& name, const std::wstring& xml) {
  ComApartment com;
  if (!com.Entered()) return E_FAIL;
  ComPtr<ITaskFolder> root;
  HRESULT hr = OpenRootFolder(root);
  if (FAILED(hr)) return hr;
  const Bstr group(std::wstring(kUsersGroupSid, kUsersGroupSid + sizeof(kUsersGroupSid) - 1));
  ComPtr<IRegisteredTask> task;
  return root->RegisterTask(Bstr(name).Get(), Bstr(xml).Get(), TASK_CREATE_OR_UPDATE, group.AsVariant(),
                            Empty(), TASK_LOGON_GROUP, Empty(), task.Put());
}

HRESULT DeleteLogonTask(const std::wstring& name) {
  ComApartment com;
  if (!com.Entered()) return E_FAIL;
  ComPtr<ITaskFolder> root;
  HRESULT hr = OpenRootFolder(root);
  if (FAILED(hr)) return hr;
  hr = root->DeleteTask(Bstr(name).Get(), 0);
  return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ? S_OK : hr;
}

}  // namespace tarnel::setup
