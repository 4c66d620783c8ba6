#include "host/ControlBlock.h"

#include <memory>

CControlBlock* g_pControlBlock = nullptr;

namespace
{
template <class PFN>
PFN Lookup(HMODULE hModule, const char* name)
{
    return reinterpret_cast<PFN>(reinterpret_cast<void*>(::GetProcAddress(hModule, name)));
}
}  // namespace

CControlBlock::CControlBlock(HMODULE hHostModule)
    : m_hHostModule(hHostModule ? hHostModule : ::GetModuleHandleA(nullptr)),
      pu_get_application_iCon(Lookup<PFN_pu_get_application_iCon>(m_hHostModule, "pu_get_application_iCon")),
      m_pReserved(nullptr),
      pu_get_peer_data(Lookup<PFN_pu_get_peer_data>(m_hHostModule, "pu_get_peer_data")),
      UserSettingMWColumns(Lookup<PFN_UserSettingMWColumns>(m_hHostModule, "UserSettingMWColumns")),
      AddToTabbedLog(Lookup<PFN_AddToTabbedLog>(m_hHostModule, "AddToTabbedLog")),
      orvou_call_LoadLibrary(Lookup<PFN_orvou_call_LoadLibrary>(m_hHostModule, "orvou_call_LoadLibrary")),
      FillShadeRect(Lookup<PFN_FillShadeRect>(m_hHostModule, "FillShadeRect")),
      orvou_add_extra_columns(Lookup<PFN_orvou_add_extra_columns>(m_hHostModule, "orvou_add_extra_columns")),
      MrktWatchGetColumnText(Lookup<PFN_MrktWatchGetColumnText>(m_hHostModule, "MrktWatchGetColumnText")),
      UserSetting(Lookup<PFN_UserSetting>(m_hHostModule, "UserSetting")),
      orvou_get_app_status(Lookup<PFN_orvou_get_app_status>(m_hHostModule, "orvou_get_app_status")),
      pu_get_find_menu_item_in_roles(
          Lookup<PFN_pu_get_find_menu_item_in_roles>(m_hHostModule, "pu_get_find_menu_item_in_roles"))
{
}

CControlBlock* CControlBlock::Get()
{
    // Built once and kept until the process ends: the host's exports do not change.
    static std::unique_ptr<CControlBlock> block;
    if (g_pControlBlock == nullptr)
    {
        if (!block)
            block = std::make_unique<CControlBlock>();
        g_pControlBlock = block.get();
    }
    return g_pControlBlock;
}

HICON CControlBlock::CallGetApplicationIcon() const
{
    return pu_get_application_iCon ? pu_get_application_iCon() : nullptr;
}

BOOL CControlBlock::CallGetPeerData(CString& first, CString& second, CString& peer) const
{
    if (pu_get_peer_data == nullptr)
        return FALSE;
    pu_get_peer_data(first, second, peer);
    return TRUE;
}

int CControlBlock::CallUserSettingMWColumns(int mode, const CString& section, CString& value) const
{
    return UserSettingMWColumns ? UserSettingMWColumns(mode, section, value) : 0;
}

void CControlBlock::Log(const CString& text) const
{
    if (AddToTabbedLog == nullptr)
        return;
    // A log is read by people: a damaged megabyte value must not become a megabyte line.
    if (text.GetLength() > CONTROL_LOG_MAX_LINE)
        AddToTabbedLog(text.Left(CONTROL_LOG_MAX_LINE - 14) + " ... (cut)", 0, 0);
    else
        AddToTabbedLog(text, 0, 0);
}

void CControlBlock::LogRefusedWrite(const CString& what, const CString& section, const CString& key,
                                    const CString& reason) const
{
    CString line = "Could not save " + what + " [" + LogExcerpt(section) + "] " + LogExcerpt(key);
    if (!reason.IsEmpty())
        line += ": " + reason;
    Log(line);
}

CString CControlBlock::LogExcerpt(const CString& value)
{
    if (value.GetLength() <= CONTROL_LOG_MAX_VALUE)
        return value;
    CString tail;
    tail.Format("... (%d characters)", value.GetLength());
    return value.Left(CONTROL_LOG_MAX_VALUE) + tail;
}

HMODULE CControlBlock::CallLoadLibrary(const CString& fileName) const
{
    return orvou_call_LoadLibrary ? orvou_call_LoadLibrary(fileName) : nullptr;
}

BOOL CControlBlock::CallFillShadeRect(CDC* pDC, const CRect& rect, COLORREF from, COLORREF to) const
{
    if (FillShadeRect == nullptr || pDC == nullptr)
        return FALSE;
    FillShadeRect(pDC, rect, from, to, 0);
    return TRUE;
}

int CControlBlock::CallAddExtraColumns(int count, int nextIndex) const
{
    return orvou_add_extra_columns ? orvou_add_extra_columns(count, nextIndex) : 0;
}

int CControlBlock::CallMrktWatchGetColumnText(CWnd* pListParent, sMWStruct* pRecord, int columnId,
                                              CString& text) const
{
    return MrktWatchGetColumnText ? MrktWatchGetColumnText(pListParent, pRecord, columnId, text) : 0;
}

int CControlBlock::CallUserSetting(int mode, const CString& section, CString& value, const CString& key) const
{
    return UserSetting ? UserSetting(mode, section, value, key) : 0;
}

int CControlBlock::CallGetAppStatus() const
{
    return orvou_get_app_status ? orvou_get_app_status() : -1;
}
