#pragma once
// The format catalogue: the output profiles the product offers, read from the catalogue resource,
// and the user's current choice among them, kept in the settings file.

#include <memory>

#include "core/FormatsIni.h"
#include "core/Observer.h"
#include "core/XMLFormats.h"

// Nine zero-based indexes: the format among the offered ones, and the entries of its lists.
struct TFormatSelection {
  Integer Format = 0;
  Integer VCodec = 0;
  Integer VBitrate = 0;
  Integer Size = 0;
  Integer Fps = 0;
  Integer Aspect = 0;
  Integer ABitrate = 0;
  Integer SampleRate = 0;
  Integer Channels = 0;
  friend bool operator==(const TFormatSelection&, const TFormatSelection&) = default;
};

// The parameters of one conversion, as the engine takes them.
struct FormatDetail {
  String OutFormat;        // the engine's container name
  String FileExt;          // without the dot
  Integer Size = 0;        // 60 once filled
  Integer Width = 0;
  Integer Height = 0;
  Integer FpsDen = 0;      // the frame rate is FpsDen / FpsNum
  Integer FpsNum = 0;
  Integer AspectDen = 0;
  Integer AspectNum = 0;
  Integer VCodecID = 0;    // 0: no video
  Integer VBitRate = 0;    // bit/s
  Integer Channels = 0;
  Integer SampleRate = 0;
  Integer ACodecID = 0;
  Integer ABitRate = 0;    // bit/s
};

// The length of one frame in 100 ns, Trunc(FpsNum * 10^7 / FpsDen); 0 ("keep the source rate")
// for a profile without video or without a rate.
Int64 FrameDurationOf(const FormatDetail& Detail);

class TFormats : public TSubject {
  TAVREN_CLASS(TFormats, TSubject)
 public:
  // Reads the catalogue resource ("XML" 101), keeps the formats whose names Filter contains and
  // restores the selection from ConfigFile. FinalException when the catalogue cannot be read or
  // no format is left.
  explicit TFormats(const String& Filter, const String& ConfigFile = DefaultConfigFile());
  // Writes the selection to the settings file; a failure to write is logged.
  ~TFormats() override;

  // The offered formats.
  TXMLFormatsType GetRoot() const { return FRoot; }
  Integer GetCount() const { return FRoot.GetCount(); }

  TFormatSelection GetSelection() const { return FSelection; }
  // Stores Selection and notifies. A format index outside the offered formats becomes 0, and any
  // other index outside its list the format's default.
  void SetSelection(const TFormatSelection& Selection);
  // Keeps the format and takes its defaults for the rest; notifies.
  void ApplyDefaults();

  // EListError when an index of Selection lies outside its list.
  void BuildDetailFor(FormatDetail& Detail, const TFormatSelection& Selection) const;
  void BuildDetail(FormatDetail& Detail) const { BuildDetailFor(Detail, FSelection); }

  // Deletes every format whose name does not occur in Filter (an empty Filter keeps them all).
  void FilterFormats(const String& Filter);

 private:
  TFormatSelection Defaults(Integer Format) const;
  TFormatSelection Validated(const TFormatSelection& Selection) const;

  std::unique_ptr<TXMLDocument> FDocument;
  TXMLFormatsType FRoot{nullptr};
  TFormatSelection FSelection;
  std::unique_ptr<TFormatsIni> FIni;
};
