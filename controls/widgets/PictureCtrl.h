// CPictureCtrl: a static control that shows an image (any format GDI+ decodes) stretched over its
// whole client area. The control keeps its own copy of the encoded image in a memory stream, so
// the source (file, stream, buffer) can go right after loading. The first paint decodes the image
// and scales it once to the client size; later paints draw that scaled copy until the image or
// the client size changes. A picture of more than 16 million pixels shown in a smaller control is
// scaled while it is decoded, so painting it never holds a 32-bit copy of it whole.
//
// Loading reports whether the image's bytes were copied: 1 on success; 0 on failure, with the
// cause in the thread's last-error value and no image loaded. Bytes that do not decode (empty,
// truncated, corrupt) load but paint nothing: the control then erases like a plain static.
#pragma once

#include <afxwin.h>
#include <objidl.h>

namespace Gdiplus
{
class Bitmap;
}

class CONTROLS_API CPictureCtrl : public CStatic
{
public:
    CPictureCtrl();
    ~CPictureCtrl() override;

    BOOL LoadFromFile(CString& csFilePath);
    BOOL Load(CString& csFilePath) { return LoadFromFile(csFilePath); }
    // The whole stream, from its start, whatever its current position.
    BOOL LoadFromStream(IStream* piStream);
    BOOL Load(IStream* piStream) { return LoadFromStream(piStream); }
    BOOL LoadFromStream(BYTE* pData, size_t nSize);
    BOOL Load(BYTE* pData, size_t nSize) { return LoadFromStream(pData, nSize); }
    // Forgets the image.
    void FreeData();

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    IStream* m_pStream;         // the encoded image; null when none is loaded
    int m_bIsPicLoaded;
    ULONG_PTR m_gdiplusToken;   // this control's GDI+ start-up

protected:
    void PreSubclassWindow() override;
    // BOOL OnEraseBkgnd(CDC* pDC)
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // A fresh memory stream in m_pStream, or the failure as the last error.
    BOOL CreateMemoryStream();
    // Releases the half-made stream, keeping the failure's last-error value.
    BOOL FailLoad(DWORD dwError);
    BOOL FinishLoad();
    // Draws the image stretched over the client area; false when it does not decode.
    BOOL DrawPicture(HDC hDC);
    // Decodes the image and scales it to cx x cy into m_pScaled; false when it does not decode.
    BOOL ScalePicture(int cx, int cy);
    // For a picture too large to decode whole: 1 scaled into m_pScaled while decoding, 0 failed,
    // -1 when the full decode is the way (small enough, or the imaging component cannot read it).
    int ScalePictureWhileDecoding(int cx, int cy);
    void FreeScaled();

    Gdiplus::Bitmap* m_pScaled = nullptr; // the image at m_sizeScaled, made by the first paint
    CSize m_sizeScaled;
    BOOL m_bUndecodable = FALSE;          // the loaded bytes failed to decode once already
};
