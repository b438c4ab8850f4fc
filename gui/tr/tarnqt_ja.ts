<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AfterPrinting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>印刷後の用紙処理の設定</translation>
    </message>
    <message>
        <source>Specified Stop Position</source>
        <translation>指定の停止位置</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>(0.00 - 6.01)</source>
        <translation>(0.00 - 6.01)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>AfterPrinting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>印刷後の用紙処理の設定</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>BidAdjust1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>縦方向の調整</translation>
    </message>
    <message>
        <source>Print the adjustment sheet to improve print blurring.
      
      Set “Die-cut labels with a length of 68.8 mm (2.71 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>印刷のぼやけを改善するための調整シートを印刷します。

プリンターに「長さ68.8 mm（2.71インチ）以上のダイカットラベル」、「連続紙」、または「連続ラベル」をセットしてください。

［メディア形状（検出）］を使用するメディアに合わせて設定してください。

印刷ボタンを押すと印刷を実行します。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
</context>
<context>
    <name>BidAdjust2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>縦方向の調整</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without vertical lines from the list. 
If none is applicable, select ones with the least vertical lines.</source>
        <translation>印刷結果を確認し、縦すじのないパターンの番号を一覧から選んでください。
該当するものがない場合は、縦すじが最も少ないものを選んでください。</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>#3</source>
        <translation>#3</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>BidAdjust3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>縦方向の調整</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>GeometrySetting1A</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>位置調整</translation>
    </message>
    <message>
        <source>Cut position adjustment:</source>
        <translation>カット位置調整:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Print start position adjustment (Vertical):</source>
        <translation>印刷開始位置調整（縦）:</translation>
    </message>
    <message>
        <source>Print start position adjustment (Horizontal):</source>
        <translation>印刷開始位置調整（横）:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>GeometrySetting1P</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>位置調整</translation>
    </message>
    <message>
        <source>Peel position adjustment (Auto):</source>
        <translation>剥離位置調整（自動）:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>Peel position adjustment (Manual):</source>
        <translation>剥離位置調整（手動）:</translation>
    </message>
    <message>
        <source>Print start position adjustment (Vertical):</source>
        <translation>印刷開始位置調整（縦）:</translation>
    </message>
    <message>
        <source>Print start position adjustment (Horizontal):</source>
        <translation>印刷開始位置調整（横）:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>GeometrySetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>位置調整</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>HeadCleaning1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>ヘッドクリーニング</translation>
    </message>
    <message>
        <source>Starts print head cleaning.</source>
        <translation>ヘッドクリーニングを開始します。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>実行</translation>
    </message>
</context>
<context>
    <name>HeadCleaning2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>ヘッドクリーニング</translation>
    </message>
    <message>
        <source>Print head cleaning in progress.

Checking nozzles and cleaning clogged nozzles automatically.
Nozzles are cleaned up to 4 times.</source>
        <translation>ヘッドクリーニング中です。

ノズルを確認し、目詰まりしたノズルを自動でクリーニングしています。
クリーニングは最大4回行われます。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
</context>
<context>
    <name>HeadCleaning3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>ヘッドクリーニング</translation>
    </message>
    <message>
        <source>Print head cleaning completed.

Click the &quot;Nozzle Check&quot; button and print the nozzle check pattern to check the result.</source>
        <translation>ヘッドクリーニングが完了しました。

［ノズルチェック］ボタンをクリックし、ノズルチェックパターンを印刷して結果を確認してください。</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>ノズルチェック</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>MainFrame</name>
    <message>
        <source>Tarn Utility cannot be launched.</source>
        <translation>Tarn Utilityを起動できません。</translation>
    </message>
    <message>
        <source>Settings not applied</source>
        <translation>設定は適用されませんでした</translation>
    </message>
    <message>
        <source>The printer did not confirm these settings:</source>
        <translation>プリンターは次の設定を確認できませんでした:</translation>
    </message>
    <message>
        <source>Check the printer and the values, then apply again.</source>
        <translation>プリンターと設定値を確認して、もう一度適用してください。</translation>
    </message>
    <message>
        <source>No supported printer queue was found, or the printing system (CUPS) could not be reached.

Check that CUPS is running and that the printer is turned on, connected and set up as a print queue with its driver. Then click Update.</source>
        <translation>対応するプリンターのキューが見つからないか、印刷システム(CUPS)に接続できません。

CUPSが動作していること、プリンターの電源が入って接続され、ドライバーを使って印刷キューとして設定されていることを確認してから、[更新]をクリックしてください。</translation>
    </message>
    <message>
        <source>No supported printer found</source>
        <translation>対応するプリンターが見つかりません</translation>
    </message>
</context>
<context>
    <name>NozzleCheck1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>ノズルチェック</translation>
    </message>
    <message>
        <source>Print a nozzle check pattern.

If the paper is less than 101.6 mm (4 inches) long, parts of the nozzle check pattern may not be printed.
Perform &quot;Media Detection Settings&quot; according to the paper being used for the nozzle check.</source>
        <translation>ノズルチェックパターンを印刷します。

用紙の長さが101.6 mm（4インチ）未満の場合、パターンの一部が印刷されないことがあります。
ノズルチェックに使用する用紙に合わせて「メディア検出設定」を行ってください。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
</context>
<context>
    <name>NozzleCheck2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>ノズルチェック</translation>
    </message>
    <message>
        <source>Cleaning needed</source>
        <translation>クリーニングが必要</translation>
    </message>
    <message>
        <source>Good</source>
        <translation>良好</translation>
    </message>
    <message>
        <source>Compare the printed pattern with the pattern above. The nozzles are clogged if there are gaps in the lines. Clean the nozzles.
The printed pattern changes depending on the paper width and length.</source>
        <translation>印刷されたパターンを上のパターンと比べてください。線に欠けがある場合はノズルが目詰まりしています。ノズルをクリーニングしてください。
印刷されるパターンは用紙の幅と長さによって変わります。</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>ヘッドクリーニング</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>PaperSetting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>メディア設定</translation>
    </message>
    <message>
        <source>Media source:</source>
        <translation>給紙方法:</translation>
    </message>
    <message>
        <source>Media detection settings:</source>
        <translation>メディア検出設定:</translation>
    </message>
    <message>
        <source>Gap Between Labels:</source>
        <translation>ラベル間ギャップ:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>(0.00 - 6.01)</source>
        <translation>(0.00 - 6.01)</translation>
    </message>
    <message>
        <source>Left &amp; Right Gap:</source>
        <translation>左右ギャップ:</translation>
    </message>
    <message>
        <source>Right Gap:</source>
        <translation>右ギャップ:</translation>
    </message>
    <message>
        <source>Label Edge to Hole Length: </source>
        <translation>ラベル端から穴までの長さ: </translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>PaperSetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>メディア設定</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>PaperSetting3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>メディア設定</translation>
    </message>
    <message>
        <source>It is recommended to set the &quot;Left &amp; Right Gap&quot;  to 2 mm (0.08 inches)  or more. If it is set  to less  than 2 mm (0.08 inches) , ink  may adhere to the inside  of the printer and smudge the printouts.</source>
        <translation>「左右ギャップ」は2 mm（0.08インチ）以上に設定することをお勧めします。2 mm（0.08インチ）未満に設定すると、プリンター内部にインクが付着し、印刷物が汚れることがあります。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>PfAdjust1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
    <message>
        <source>This prints adjustment sheet 1 to improve horizontal streaks.
      
      Set “Die-cut labels with a length of 66.7 mm (2.63 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>横すじを改善するための調整シート1を印刷します。

プリンターに「長さ66.7 mm（2.63インチ）以上のダイカットラベル」、「連続紙」、または「連続ラベル」をセットしてください。

［メディア形状（検出）］を使用するメディアに合わせて設定してください。

印刷ボタンを押すと印刷を実行します。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
</context>
<context>
    <name>PfAdjust2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without gap or overlap from the list. 
If none is applicable, select ones with the least gap or the least overlap.</source>
        <translation>印刷結果を確認し、すき間や重なりのないパターンの番号を一覧から選んでください。
該当するものがない場合は、すき間や重なりが最も少ないものを選んでください。</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>PfAdjust3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
    <message>
        <source>Next, this prints adjustment sheet 2 to improve horizontal streaks.
      
      Set “Die-cut labels with a length of 66.7 mm (2.63 in) or more,” “Continuous paper,” or “Continuous label” in the printer.
      
      Configure the setting of [Media form (detection)] to match the media in use.
      
      Press the Print button to execute printing.</source>
        <translation>次に、横すじを改善するための調整シート2を印刷します。

プリンターに「長さ66.7 mm（2.63インチ）以上のダイカットラベル」、「連続紙」、または「連続ラベル」をセットしてください。

［メディア形状（検出）］を使用するメディアに合わせて設定してください。

印刷ボタンを押すと印刷を実行します。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
</context>
<context>
    <name>PfAdjust4</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
    <message>
        <source>Examine the print result, then select the number of the pattern without gap or overlap from the list. 
If none is applicable, select ones with the least gap or the least overlap.</source>
        <translation>印刷結果を確認し、すき間や重なりのないパターンの番号を一覧から選んでください。
該当するものがない場合は、すき間や重なりが最も少ないものを選んでください。</translation>
    </message>
    <message>
        <source>#1</source>
        <translation>#1</translation>
    </message>
    <message>
        <source>#2</source>
        <translation>#2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>PfAdjust5</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>パワークリーニング</translation>
    </message>
    <message>
        <source>Execute only when there are many missing lines in the nozzle check pattern.</source>
        <translation>ノズルチェックパターンに多くの欠けがある場合のみ実行してください。</translation>
    </message>
    <message>
        <source>Consumes a lot of ink</source>
        <translation>インクを多く消費します</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Execute</source>
        <translation>実行</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>パワークリーニング</translation>
    </message>
    <message>
        <source>Power cleaning is in progress.</source>
        <translation>パワークリーニング中です。</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
</context>
<context>
    <name>PowerInkFlushing3</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>パワークリーニング</translation>
    </message>
    <message>
        <source>Power cleaning completed.

Click the &quot;Nozzle Check&quot; button and print the nozzle check pattern to check the result.</source>
        <translation>パワークリーニングが完了しました。

［ノズルチェック］ボタンをクリックし、ノズルチェックパターンを印刷して結果を確認してください。</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>ノズルチェック</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>PrinterSetting1</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンター設定</translation>
    </message>
    <message>
        <source>Head-Media Clearance Height:</source>
        <translation>ヘッド-メディア間の高さ:</translation>
    </message>
    <message>
        <source>Incomplete Label Treatment:</source>
        <translation>不完全ラベルの処理:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>適用</translation>
    </message>
</context>
<context>
    <name>PrinterSetting2</name>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンター設定</translation>
    </message>
    <message>
        <source>Finished successfully.</source>
        <translation>正常に終了しました。</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1%</source>
        <translation>%1%</translation>
    </message>
    <message>
        <source>not available</source>
        <translation>利用できません</translation>
    </message>
    <message>
        <source>low, %1%</source>
        <translation>残りわずか、%1%</translation>
    </message>
    <message>
        <source>to be replaced</source>
        <translation>要交換</translation>
    </message>
    <message>
        <source>level unknown</source>
        <translation>残量不明</translation>
    </message>
    <message>
        <source>Left Gap:</source>
        <translation>左ギャップ:</translation>
    </message>
    <message>
        <source>Left &amp; Right Gap:</source>
        <translation>左右ギャップ:</translation>
    </message>
    <message>
        <source>Matte Black</source>
        <translation>マットブラック</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>ブラック</translation>
    </message>
    <message>
        <source>Media form (detection)</source>
        <translation>メディア形状（検出）</translation>
    </message>
    <message>
        <source>Internal (Roll)</source>
        <translation>内部（ロール紙）</translation>
    </message>
    <message>
        <source>Rear Feed (Fanfold)</source>
        <translation>後部給紙（ファンフォールド紙）</translation>
    </message>
    <message>
        <source>Rear Feed (Roll)</source>
        <translation>後部給紙（ロール紙）</translation>
    </message>
    <message>
        <source>Internal</source>
        <translation>内部</translation>
    </message>
    <message>
        <source>Rear Feed</source>
        <translation>後部給紙</translation>
    </message>
    <message>
        <source>Die-cut label (gap detection)</source>
        <translation>ダイカットラベル（ギャップ検出）</translation>
    </message>
    <message>
        <source>Die-cut label (black mark detection)</source>
        <translation>ダイカットラベル（黒マーク検出）</translation>
    </message>
    <message>
        <source>Continuous label (black mark detection)</source>
        <translation>連続ラベル（黒マーク検出）</translation>
    </message>
    <message>
        <source>Continuous label (no detection)</source>
        <translation>連続ラベル（検出なし）</translation>
    </message>
    <message>
        <source>Continuous paper (black mark detection)</source>
        <translation>連続紙（黒マーク検出）</translation>
    </message>
    <message>
        <source>Continuous paper (no detection)</source>
        <translation>連続紙（検出なし）</translation>
    </message>
    <message>
        <source>Tag (hole detection)</source>
        <translation>タグ（穴検出）</translation>
    </message>
    <message>
        <source>Wristband (black mark detection)</source>
        <translation>リストバンド（黒マーク検出）</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>カットする</translation>
    </message>
    <message>
        <source>Do not Cut</source>
        <translation>カットしない</translation>
    </message>
    <message>
        <source>Gap between labels:</source>
        <comment>RV-C2000series</comment>
        <translation>ラベル間ギャップ:</translation>
    </message>
    <message>
        <source>Gap between labels:</source>
        <comment>RV-C5000series</comment>
        <translation>ラベル間のすき間:</translation>
    </message>
    <message>
        <source>Searching...</source>
        <translation>検索中...</translation>
    </message>
    <message>
        <source>Printer is offline</source>
        <translation>プリンターがオフラインです</translation>
    </message>
    <message>
        <source>Check all connections and make sure all devices are turned on.</source>
        <translation>すべての接続を確認し、すべての機器の電源が入っていることを確認してください。</translation>
    </message>
    <message>
        <source>Different device from specified</source>
        <translation>指定と異なるデバイス</translation>
    </message>
    <message>
        <source>Attempting to connect to a different device from the one specified in the driver. Check the driver and the device.</source>
        <translation>ドライバーで指定されたものとは異なるデバイスに接続しようとしています。ドライバーとデバイスを確認してください。</translation>
    </message>
    <message>
        <source>Communication error</source>
        <translation>通信エラー</translation>
    </message>
    <message>
        <source>Check all cable connections and that the printer is turned on.
If this does not fix the problem, try restarting the printer.</source>
        <translation>すべてのケーブルの接続と、プリンターの電源が入っていることを確認してください。
それでも解決しない場合は、プリンターを再起動してください。</translation>
    </message>
    <message>
        <source>General error</source>
        <translation>一般エラー</translation>
    </message>
    <message>
        <source>Delete all print jobs in the spool manager and turn the printer off. Remove any foreign objects from inside the printer then turn the printer back on.  If this is the first print job, please, check to make sure all packing materials and parts have been removed.</source>
        <translation>スプールマネージャーの印刷ジョブをすべて削除し、プリンターの電源を切ってください。プリンター内部の異物を取り除いてから、電源を入れ直してください。  初めての印刷の場合は、梱包材や部品がすべて取り外されているか確認してください。</translation>
    </message>
    <message>
        <source>Printing data from another port</source>
        <translation>別のポートからのデータを印刷中です</translation>
    </message>
    <message>
        <source>Please wait.</source>
        <translation>しばらくお待ちください。</translation>
    </message>
    <message>
        <source>Roll paper cover open</source>
        <comment>RV-C2000C5000series</comment>
        <translation>ロール紙カバーが開いています</translation>
    </message>
    <message>
        <source>Close the roll paper cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>ロール紙カバーを閉じてください。</translation>
    </message>
    <message>
        <source>Roll paper cover open</source>
        <comment>RV-C9000series</comment>
        <translation>ロール紙カバーが開いています</translation>
    </message>
    <message>
        <source>Close the roll paper cover.</source>
        <comment>RV-C9000series</comment>
        <translation>ロール紙カバーを閉じてください。</translation>
    </message>
    <message>
        <source>Paper jam</source>
        <translation>紙づまり</translation>
    </message>
    <message>
        <source>Remove the jammed paper, and then reload the paper.</source>
        <translation>つまった用紙を取り除き、用紙をセットし直してください。</translation>
    </message>
    <message>
        <source>Ink cartridge undetected</source>
        <comment>RV-C2000C5000series</comment>
        <translation>インクカートリッジが検出されません</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>Vardaは上記のVarda純正カートリッジをお勧めします。</translation>
    </message>
    <message>
        <source>Ink cartridge undetected</source>
        <comment>RV-C9000series</comment>
        <translation>インクカートリッジが検出されません</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <comment>RV-C9000series</comment>
        <translation>Vardaは上記のVarda純正カートリッジをお勧めします。</translation>
    </message>
    <message>
        <source>Replace ink cartridge</source>
        <translation>インクカートリッジを交換してください</translation>
    </message>
    <message>
        <source>Varda recommends the genuine Varda cartridges listed above.</source>
        <translation>Vardaは上記のVarda純正カートリッジをお勧めします。</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <comment>Status_ER_SN_IR</comment>
        <translation>用紙がセットされていません</translation>
    </message>
    <message>
        <source>Load the paper.</source>
        <translation>用紙をセットしてください。</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <translation>用紙がセットされていません</translation>
    </message>
    <message>
        <source>Remove any paper which is still in the printer and load new paper.</source>
        <comment>Status_ER_SN_ER</comment>
        <translation>プリンター内に残っている用紙を取り除き、新しい用紙をセットしてください。</translation>
    </message>
    <message>
        <source>Driver media size does not match the paper loaded</source>
        <translation>ドライバーの用紙サイズがセットされた用紙と一致しません</translation>
    </message>
    <message>
        <source>Modify the media size on the printer driver to match the loaded paper.</source>
        <translation>プリンタードライバーの用紙サイズをセットされた用紙に合わせてください。</translation>
    </message>
    <message>
        <source>The paper feed method differs from the printer settings.</source>
        <translation>給紙方法がプリンターの設定と異なります。</translation>
    </message>
    <message>
        <source>Check the paper feed method for the printer and the paper being used.</source>
        <translation>プリンターの給紙方法と使用している用紙を確認してください。</translation>
    </message>
    <message>
        <source>Replace the maintenance box</source>
        <translation>メンテナンスボックスを交換してください</translation>
    </message>
    <message>
        <source>-%mnt%
Replace the maintenance box.
See your printer documentation for more information on replacing maintenance box.</source>
        <translation>-%mnt%
メンテナンスボックスを交換してください。
メンテナンスボックスの交換方法はプリンターの取扱説明書を参照してください。</translation>
    </message>
    <message>
        <source>Loaded paper does not match the specified setting</source>
        <translation>セットされた用紙が設定と一致しません</translation>
    </message>
    <message>
        <source>Set the correct paper, or check the media layout settings or media position detection settings.</source>
        <translation>正しい用紙をセットするか、メディアレイアウト設定またはメディア位置検出設定を確認してください。</translation>
    </message>
    <message>
        <source>Ink cartridge cover open</source>
        <translation>インクカートリッジカバーが開いています</translation>
    </message>
    <message>
        <source>Close the ink cartridge cover.</source>
        <translation>インクカートリッジカバーを閉じてください。</translation>
    </message>
    <message>
        <source>Maintenance box undetected</source>
        <translation>メンテナンスボックスが検出されません</translation>
    </message>
    <message>
        <source>-%mnt%
Install the maintenance box.</source>
        <translation>-%mnt%
メンテナンスボックスを取り付けてください。</translation>
    </message>
    <message>
        <source>Maintenance box cover open</source>
        <translation>メンテナンスボックスカバーが開いています</translation>
    </message>
    <message>
        <source>Close the maintenance box cover.</source>
        <translation>メンテナンスボックスカバーを閉じてください。</translation>
    </message>
    <message>
        <source>New paper is loaded without removing the existing paper.</source>
        <translation>セット済みの用紙を取り除かずに新しい用紙がセットされました。</translation>
    </message>
    <message>
        <source>Remove the loaded new paper once. Remove any paper which is still in the printer and load the new paper again.</source>
        <translation>セットした新しい用紙をいったん取り除いてください。プリンター内に残っている用紙を取り除いてから、新しい用紙をセットし直してください。</translation>
    </message>
    <message>
        <source>Mechanical adjustment inside printer required.</source>
        <translation>プリンター内部の機械調整が必要です。</translation>
    </message>
    <message>
        <source>If the error message still appears, contact the store where you purchased the product or an Varda service center.</source>
        <translation>それでもエラーメッセージが表示される場合は、製品をお買い求めの販売店またはVardaサービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>The paper cover is open.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>用紙カバーが開いています。</translation>
    </message>
    <message>
        <source>Close the paper cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>用紙カバーを閉じてください。</translation>
    </message>
    <message>
        <source>The paper cover is open.</source>
        <comment>RV-C9000series</comment>
        <translation>用紙カバーが開いています。</translation>
    </message>
    <message>
        <source>Close the paper cover.</source>
        <comment>RV-C9000series</comment>
        <translation>用紙カバーを閉じてください。</translation>
    </message>
    <message>
        <source>The front cover is open.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>前面カバーが開いています。</translation>
    </message>
    <message>
        <source>Close the front cover.</source>
        <comment>RV-C2000C5000series</comment>
        <translation>前面カバーを閉じてください。</translation>
    </message>
    <message>
        <source>The front cover is open.</source>
        <comment>RV-C9000series</comment>
        <translation>前面カバーが開いています。</translation>
    </message>
    <message>
        <source>Close the front cover.</source>
        <comment>RV-C9000series</comment>
        <translation>前面カバーを閉じてください。</translation>
    </message>
    <message>
        <source>The release lever is open.</source>
        <translation>リリースレバーが開いています。</translation>
    </message>
    <message>
        <source>Close the release lever.</source>
        <translation>リリースレバーを閉じてください。</translation>
    </message>
    <message>
        <source>The guide unit is open.</source>
        <translation>ガイドユニットが開いています。</translation>
    </message>
    <message>
        <source>Close the guide unit.</source>
        <translation>ガイドユニットを閉じてください。</translation>
    </message>
    <message>
        <source>Calibration error</source>
        <translation>キャリブレーションエラー</translation>
    </message>
    <message>
        <source>Insufficient ink to perform cleaning</source>
        <translation>クリーニングに必要なインクが不足しています</translation>
    </message>
    <message>
        <source>See the LCD screen on the product and follow the instructions.</source>
        <comment>Status_ER_IC</comment>
        <translation>製品の液晶画面を見て、指示に従ってください。</translation>
    </message>
    <message>
        <source>Cannot start cleaning because the Maintenance Box is near full.</source>
        <translation>メンテナンスボックスが満杯に近いため、クリーニングを開始できません。</translation>
    </message>
    <message>
        <source>Printer features except cleaning are available.</source>
        <comment>Status_ER_MC</comment>
        <translation>クリーニング以外のプリンター機能は使用できます。</translation>
    </message>
    <message>
        <source>Label not detected</source>
        <translation>ラベルが検出されません</translation>
    </message>
    <message>
        <source>Follow the instructions on the printer&apos;s LCD screen.</source>
        <translation>プリンターの液晶画面の指示に従ってください。</translation>
    </message>
    <message>
        <source>The printer is waiting for a panel operation.</source>
        <translation>プリンターは操作パネルでの操作を待っています。</translation>
    </message>
    <message>
        <source>Check the printer&apos;s panel.</source>
        <translation>プリンターの操作パネルを確認してください。</translation>
    </message>
    <message>
        <source>The storage memory is full.</source>
        <translation>ストレージメモリーがいっぱいです。</translation>
    </message>
    <message>
        <source>Clogged nozzles were detected while printing.</source>
        <translation>印刷中にノズルの目詰まりが検出されました。</translation>
    </message>
    <message>
        <source>Check the print results and the printer&apos;s panel.</source>
        <translation>印刷結果とプリンターの操作パネルを確認してください。</translation>
    </message>
    <message>
        <source>The printer is paused.</source>
        <translation>プリンターは一時停止中です。</translation>
    </message>
    <message>
        <source>Finish menu operations, or press the Pause button on the printer&apos;s panel to release the pause.</source>
        <translation>メニュー操作を終了するか、プリンターの操作パネルの一時停止ボタンを押して一時停止を解除してください。</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>印刷中</translation>
    </message>
    <message>
        <source>Paper not loaded</source>
        <comment>Status_IL_PAPT_IR</comment>
        <translation>用紙がセットされていません</translation>
    </message>
    <message>
        <source>Remove any paper which is still in the printer and load new paper.</source>
        <comment>Status_IL_PAPT_ER</comment>
        <translation>プリンター内に残っている用紙を取り除き、新しい用紙をセットしてください。</translation>
    </message>
    <message>
        <source>Print head unrecoverable clogged nozzles</source>
        <translation>プリントヘッドの回復不能なノズル目詰まり</translation>
    </message>
    <message>
        <source>Print head unrecoverable clogged nozzles are detected.
The print result may be affected.
You can continue printing, but contact the store where you purchased the product or an Varda service center if the print result is affected.</source>
        <translation>プリントヘッドに回復できないノズルの目詰まりが検出されました。
印刷結果に影響する場合があります。
印刷は続けられますが、印刷結果に影響がある場合は、製品をお買い求めの販売店またはVardaサービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>Mechanical adjustment inside printer will be required soon.</source>
        <translation>まもなくプリンター内部の機械調整が必要になります。</translation>
    </message>
    <message>
        <source>Contact the store where you purchased the product or an Varda service center.</source>
        <translation>製品をお買い求めの販売店またはVardaサービスセンターにお問い合わせください。</translation>
    </message>
    <message>
        <source>Maintenance box is nearing the end of its service life.</source>
        <translation>メンテナンスボックスの交換時期が近づいています。</translation>
    </message>
    <message>
        <source>-%mnt%
Prepare a new maintenance box.
You can continue printing until replacement is required.</source>
        <translation>-%mnt%
新しいメンテナンスボックスを準備してください。
交換が必要になるまで印刷を続けられます。</translation>
    </message>
    <message>
        <source>Ink is low</source>
        <translation>インク残量が少なくなっています</translation>
    </message>
    <message>
        <source>Prepare a new ink cartridge in advance.
Varda recommends the genuine Varda cartridges listed above.
You can continue printing until replacement is required.</source>
        <translation>新しいインクカートリッジを事前に準備してください。
Vardaは上記のVarda純正カートリッジをお勧めします。
交換が必要になるまで印刷を続けられます。</translation>
    </message>
    <message>
        <source>Cannot perform a status check of the print head.</source>
        <translation>プリントヘッドの状態を確認できません。</translation>
    </message>
    <message>
        <source>Cannot confirm the print head status because the temperature is outside the guaranteed operating range.
Although you can print at this temperature, we recommend an ambient temperature of within 5°C {41°F} and 35°C {95°F} to maintain optimum print quality.
* This is displayed when print head status confirmation is disabled.</source>
        <translation>温度が保証動作範囲外のため、プリントヘッドの状態を確認できません。
この温度でも印刷できますが、最適な印刷品質を保つため、周囲温度は5°C {41°F}から35°C {95°F}の範囲を推奨します。
※ プリントヘッドの状態確認が無効のときに表示されます。</translation>
    </message>
    <message>
        <source>Ready to print</source>
        <translation>印刷できます</translation>
    </message>
    <message>
        <source>Ready to print.</source>
        <translation>印刷できます。</translation>
    </message>
    <message>
        <source>Processing job</source>
        <translation>ジョブを処理中</translation>
    </message>
    <message>
        <source>The printer is cleaning the print head.</source>
        <translation>プリンターがプリントヘッドをクリーニングしています。</translation>
    </message>
    <message>
        <source>The printer is cleaning the print head. Please wait.</source>
        <translation>プリンターがプリントヘッドをクリーニングしています。しばらくお待ちください。</translation>
    </message>
    <message>
        <source>Initial ink charging is not complete</source>
        <translation>初期インク充填が完了していません</translation>
    </message>
    <message>
        <source>Install the ink cartridges.
See the setup sheet for details.</source>
        <translation>インクカートリッジを取り付けてください。
詳しくはセットアップシートを参照してください。</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>シアン</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>マゼンタ</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>イエロー</translation>
    </message>
    <message>
        <source>Maintenance box</source>
        <translation>メンテナンスボックス</translation>
    </message>
</context>
<context>
    <name>STM</name>
    <message>
        <source>Printer status</source>
        <translation>プリンターの状態</translation>
    </message>
    <message>
        <source>Advice</source>
        <translation>アドバイス</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>RV-C5020A</source>
        <translation>RV-C5020A</translation>
    </message>
    <message>
        <source>Ink Levels</source>
        <translation>インク残量</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>ブラック</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>マゼンタ</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>シアン</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>イエロー</translation>
    </message>
    <message>
        <source>Maintenance Box Service Life</source>
        <translation>メンテナンスボックスの寿命</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Printer status</source>
        <translation>プリンターの状態</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>VARDA Status Monitor</source>
        <translation>VARDAステータスモニター</translation>
    </message>
    <message>
        <source>Nozzle Check</source>
        <translation>ノズルチェック</translation>
    </message>
    <message>
        <source>Print Head Cleaning</source>
        <translation>ヘッドクリーニング</translation>
    </message>
    <message>
        <source>Power Cleaning</source>
        <translation>パワークリーニング</translation>
    </message>
    <message>
        <source>Vertical Alignment</source>
        <translation>縦方向の調整</translation>
    </message>
    <message>
        <source>Media Setting</source>
        <translation>メディア設定</translation>
    </message>
    <message>
        <source>Position adjustment</source>
        <translation>位置調整</translation>
    </message>
    <message>
        <source>Settings For Paper Handling After Print</source>
        <translation>印刷後の用紙処理の設定</translation>
    </message>
    <message>
        <source>Printer Setting</source>
        <translation>プリンター設定</translation>
    </message>
    <message>
        <source>Horizontal Alignment</source>
        <translation>横方向の調整</translation>
    </message>
</context>
</TS>
